// Feeds arbitrary bytes to the XML reader the way a file reaches it (encoding detection
// included), then writes what was read and reads that again.

#include "config/XMLNode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// A name that starts with a quotation mark is read only when no partner quote follows; once
// written, one may. No other tree read from text is lost by writing it.
bool writable(const XMLNode& root)
{
    auto quoted = [](const wchar_t* name) { return name && (name[0] == L'"' || name[0] == L'\''); };
    std::vector<XMLNode> pending{root};
    while (!pending.empty())
    {
        const XMLNode node = pending.back();
        pending.pop_back();
        if (quoted(node.getName()))
            return false;
        for (int i = 0; i < node.nAttribute(); ++i)
            if (quoted(node.getAttribute(i).name))
                return false;
        for (int i = 0; i < node.nChildNode(); ++i)
            pending.push_back(node.getChildNode(i));
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    XMLResults results;
    const XMLNode node = XMLNode::parseBuffer(data, size, nullptr, &results);
    const bool kept = results.error <= eXMLWarningNoXMLTagFound;
    check(node.isEmpty() != kept);
    int line = 0, column = 0;
    if (XMLNode::findZeroCharacter(data, size, line, column))
        check(line >= 1 && column >= 1);
    if (!kept)
        return 0;
    check((results.error == eXMLErrorNone) == (results.nLine == 0));
    // The element that parsing with a tag picks is one that findTag finds in the tree.
    const XMLNode tagged = XMLNode::parseBuffer(data, size, L"b", nullptr);
    check(tagged.isEmpty() == node.findTag(L"b").isEmpty());
    if (!writable(node))
        return 0;

    // What the writer produces reads back as the same tree.
    const std::wstring written = node.createXMLString(false);
    XMLResults reread;
    const XMLNode again = XMLNode::parseString(written.c_str(), nullptr, &reread);
    check(reread.error <= eXMLWarningNoXMLTagFound);
    check(again.createXMLString(false) == written);
    return 0;
}
