// Writing trees as XML text and files.

#include "config/XMLNode.h"

#include "config/detail/XMLCharacters.h"
#include "config/detail/XMLEncoding.h"
#include "config/detail/XMLEntities.h"
#include "config/detail/XMLNodeData.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using detail::XMLContentKind;
using detail::XMLNodeData;

namespace
{

void appendNumericEntity(std::wstring& out, wchar_t c)
{
    out += L"&#";
    out += std::to_wstring(static_cast<unsigned long>(c));
    out += L';';
}

// Writes text so that reading gives it back: the five special characters as named entities;
// lone surrogates, which UTF-16 cannot carry, as numeric ones; and for content text also white
// space at either end, which reading would drop.
void appendEscaped(std::wstring& out, const wchar_t* text, bool keepEdgeSpace)
{
    const wchar_t* end = text + std::char_traits<wchar_t>::length(text);
    for (const wchar_t* p = text; p != end; ++p)
    {
        const bool edge = p == text || p + 1 == end;
        if (const wchar_t* entity = detail::entityFor(*p))
            out += entity;
        else if ((*p >= 0xD800 && *p <= 0xDFFF) || (keepEdgeSpace && edge && detail::isXMLSpace(*p)))
            appendNumericEntity(out, *p);
        else
            out += *p;
    }
}

class TreeWriter
{
public:
    explicit TreeWriter(bool format) : format_(format) {}

    // Depth-first without recursion, so that deep trees cannot exhaust the stack.
    std::wstring write(const XMLNodeData* root)
    {
        enter(root, 0, false);
        while (!stack_.empty())
        {
            Frame& frame = stack_.back();
            if (frame.next == frame.node->contentCount())
            {
                leave(frame);
                stack_.pop_back();
                continue;
            }
            const unsigned entry = frame.node->contentAt(frame.next++);
            const std::size_t index = detail::orderIndex(entry);
            const int depth = frame.contentDepth;
            switch (detail::orderKind(entry))
            {
            case XMLContentKind::Child: {
                const bool closed = frame.writesEndTag || frame.next < frame.node->contentCount();
                enter(frame.node->children[index], depth, closed); // may move the frame
                break;
            }
            case XMLContentKind::Text:
                startLine(depth);
                appendEscaped(out_, frame.node->texts[index], true);
                endLine();
                break;
            case XMLContentKind::Clear: {
                const detail::XMLClearData& clear = frame.node->clears[index];
                startLine(depth);
                out_ += clear.openTag;
                out_ += clear.value;
                out_ += clear.closeTag;
                endLine();
                break;
            }
            }
        }
        return std::move(out_);
    }

private:
    struct Frame
    {
        const XMLNodeData* node;
        std::size_t next;
        int depth;
        int contentDepth;
        bool writesEndTag;
    };

    // Reading puts everything after a declaration into it. So a declaration gets an end tag
    // when something must come after its content: more content of its parent, or the end tag
    // of its parent (which an inner declaration of the same name would otherwise take).
    void enter(const XMLNodeData* node, int depth, bool closed)
    {
        const wchar_t* name = node->name;
        if (!name) // a nameless node contributes its content only
        {
            stack_.push_back({node, 0, depth, depth, false});
            return;
        }
        startLine(depth);
        out_ += node->isDeclaration ? L"<?" : L"<";
        // A space keeps "<" and a name like "?x", "/x", "!--" or "PRE" from reading as
        // other markup; reading skips it.
        const std::wstring_view view(name);
        if (!node->isDeclaration && !view.empty() &&
            (view.front() == L'?' || view.front() == L'/' || view.front() == L'!' || view == L"PRE" ||
             view == L"Script"))
            out_ += L' ';
        out_ += name;
        for (const detail::XMLAttributeData& attribute : node->attributes)
        {
            out_ += L' ';
            out_ += attribute.name;
            if (attribute.value)
            {
                out_ += L"=\"";
                appendEscaped(out_, attribute.value, false);
                out_ += L'"';
            }
        }
        // The space keeps "?" apart from the name and the last attribute, which reading strips.
        if (node->isDeclaration)
            out_ += L" ?>";
        else
            closeTag(node->contentCount() == 0 ? L"/>" : L">");
        endLine();
        if (node->isDeclaration || node->contentCount() != 0)
            stack_.push_back({node, 0, depth, depth + 1, node->isDeclaration ? closed : true});
    }

    void leave(const Frame& frame)
    {
        if (!frame.writesEndTag)
            return;
        const wchar_t* name = frame.node->name;
        startLine(frame.depth);
        out_ += L"</";
        out_ += name;
        closeTag(L">");
        endLine();
    }

    // A name that ends in "/" must not run into ">".
    void closeTag(const wchar_t* marker)
    {
        if (out_.back() == L'/')
            out_ += L' ';
        out_ += marker;
    }

    void startLine(int depth)
    {
        if (format_)
            out_.append(static_cast<std::size_t>(depth), L'\t');
    }
    void endLine()
    {
        if (format_)
            out_ += L'\n';
    }

    bool format_;
    std::wstring out_;
    std::vector<Frame> stack_;
};

} // namespace

std::wstring XMLNode::createXMLString(bool format) const
{
    return data_ ? TreeWriter(format).write(data_) : std::wstring();
}

XMLError XMLNode::writeToFile(const wchar_t* path, bool format) const
{
    std::FILE* file = path ? std::fopen(detail::toUTF8(path).c_str(), "wb") : nullptr;
    if (!file)
        return eXMLErrorCannotOpenWriteFile;
    const XMLNodeData* first = data_;
    if (first && !first->name && !first->children.empty())
        first = first->children.front();
    std::wstring text;
    if (!first || !first->isDeclaration)
        text = L"<?xml version=\"1.0\" encoding=\"utf-16\"?>\n";
    text += createXMLString(format);
    std::string bytes = "\xFF\xFE";
    detail::appendUTF16LE(bytes, text);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed ? eXMLErrorNone : eXMLErrorCannotWriteFile;
}
