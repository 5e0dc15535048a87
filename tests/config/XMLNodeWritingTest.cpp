#include "config/XMLNode.h"
#include "config/XMLParserBase64Tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

std::wstring temporaryPath(const char* name) {
    const std::string path = testing::TempDir() + name;
    return std::wstring(path.begin(), path.end());
}

std::string readBytes(const std::wstring& path) {
    std::ifstream file(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

TEST(XMLNodeWriting, BuildsAndEditsContentInDocumentOrder) {
    XMLNode root = XMLNode::createXMLTopNode(L"Scene");
    XMLNode second = root.addChild(L"Second");
    root.addChild(L"First", false, 0);
    root.addText(L"tail");
    root.addText(L"head", 0);
    root.addClear(L" note ", L"<!--", L"-->", 0);  // no clear piece yet: appended
    root.addAttribute(L"a", L"1");
    root.updateAttribute(L"2", nullptr, L"A");
    root.updateAttribute(L"3", nullptr, L"b");  // absent: added
    root.addAttribute(L"gone", L"x");
    root.deleteAttribute(L"GONE");
    second.updateName(L"Renamed");
    EXPECT_EQ(root.createXMLString(false), L"<Scene a=\"2\" b=\"3\"><First/><Renamed/>headtail<!-- note --></Scene>");

    root.deleteText(0);
    root.deleteClear();
    root.updateText(L"end");
    second.deleteNodeContent();
    EXPECT_TRUE(second.isEmpty());
    EXPECT_EQ(root.createXMLString(false), L"<Scene a=\"2\" b=\"3\"><First/>end</Scene>");
    EXPECT_EQ(root.createXMLString(), L"<Scene a=\"2\" b=\"3\">\n\t<First/>\n\tend\n</Scene>\n");

    // A node cannot become its own descendant (moves between parents are checked below).
    EXPECT_TRUE(root.getChildNode(0).addChild(root).isEmpty());
    EXPECT_EQ(root.nChildNode(), 1);
    EXPECT_EQ(ToXMLStringTool::toXML(L"<a & 'b'>\""), L"&lt;a &amp; &apos;b&apos;&gt;&quot;");
}

TEST(XMLNodeWriting, NodesMoveBetweenDocumentsAndOutliveTheirOwn) {
    XMLNode built = XMLNode::createXMLTopNode(L"Built");
    XMLNode kept;
    {
        XMLNode parsed = XMLNode::parseString(L"<doc><moved k='v'>text<inner/></moved><stays/></doc>");
        EXPECT_STREQ(built.addChild(parsed.getChildNode(0)).getParentNode().getName(), L"Built");
        EXPECT_EQ(parsed.createXMLString(false), L"<doc><stays/></doc>");
        kept = parsed.getChildNode(0);
    }
    built.getChildNode(0).addAttribute(L"added", L"yes");
    EXPECT_EQ(built.createXMLString(false), L"<Built><moved k=\"v\" added=\"yes\">text<inner/></moved></Built>");
    EXPECT_STREQ(kept.getName(), L"stays");
    EXPECT_TRUE(kept.getParentNode().isEmpty());

    // Deleting through one handle empties the node for every handle.
    XMLNode moved = built.getChildNode(0);
    XMLNode alias = moved;
    moved.deleteNodeContent();
    EXPECT_EQ(built.nChildNode(), 0);
    EXPECT_TRUE(alias.getName() == nullptr && alias.nElement() == 0);
}

TEST(XMLNodeWriting, WriteToFileAndParseFileGiveTheSameTree) {
    XMLNode root = XMLNode::createXMLTopNode(L"Scene");
    root.addAttribute(L"title", L" a \"quoted\" <b> & 'c' ");
    root.addAttribute(L"flag", nullptr);
    XMLNode component = root.addChild(L"Component");
    component.addAttribute(L"posX", L"10");
    component.addText(L"  padded\ttext \U0001F600 ");
    component.addClear(L" raw <stuff> & ", L"<![CDATA[", L"]]>");
    component.addChild(L"Strategy").addAttribute(L"name", L"Translation");
    root.addText(L"tail");
    root.addChild(L"pi", true).addAttribute(L"flag", nullptr);

    const std::wstring path = temporaryPath("xmlnode_round_trip.xml");
    ASSERT_EQ(root.writeToFile(path.c_str()), eXMLErrorNone);
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFE<\0?\0", 6));

    XMLResults results;
    XMLNode read = XMLNode::parseFile(path.c_str(), L"Scene", &results);
    ASSERT_EQ(results.error, eXMLErrorNone);
    EXPECT_EQ(read.createXMLString(false), root.createXMLString(false));
    EXPECT_STREQ(read.getAttribute(L"title"), L" a \"quoted\" <b> & 'c' ");
    EXPECT_STREQ(read.getChildNode(L"Component").getText(), L"  padded\ttext \U0001F600 ");
    EXPECT_EQ(read.getChildNode(L"pi").nAttribute(), 1);

    // Without a tag the written declaration is the result, holding the tree.
    XMLNode whole = XMLNode::parseFile(path.c_str());
    EXPECT_STREQ(whole.getName(), L"xml");
    EXPECT_STREQ(whole.getAttribute(L"encoding"), L"utf-16");

    // A tree that starts with a declaration gets no second one.
    ASSERT_EQ(whole.writeToFile(path.c_str(), false), eXMLErrorNone);
    EXPECT_EQ(XMLNode::parseFile(path.c_str()).createXMLString(false), whole.createXMLString(false));

    EXPECT_EQ(root.writeToFile(L"/nonexistent/out.xml"), eXMLErrorCannotOpenWriteFile);
    EXPECT_EQ(root.writeToFile(L"/dev/full"), eXMLErrorCannotWriteFile);
}

TEST(XMLNodeWriting, AwkwardNamesAndDeclarationsReadBack) {
    XMLResults results;
    XMLNode read =
        XMLNode::parseString(L"<r>< ?q/>< /s/>< PRE>t</PRE ><e/ a/ >u</e/ ><?pi?></pi?></r>", nullptr, &results);
    ASSERT_EQ(results.error, eXMLErrorNone);
    const wchar_t* names[] = {L"?q", L"/s", L"PRE", L"e/", L"pi?"};
    ASSERT_EQ(read.nChildNode(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_STREQ(read.getChildNode(i).getName(), names[i]);
    EXPECT_STREQ(read.getChildNode(3).getAttribute(0).name, L"a/");

    const std::wstring written = read.createXMLString(false);
    XMLNode again = XMLNode::parseString(written.c_str(), nullptr, &results);
    EXPECT_EQ(results.error, eXMLErrorNone);
    EXPECT_EQ(again.createXMLString(false), written);
}

TEST(XMLNodeWriting, DeepNestingNeverRecurses) {
    constexpr int depth = 100000;
    std::wstring text;
    for (int i = 0; i < depth; ++i) text += L"<n>";
    for (int i = 0; i < depth; ++i) text += L"</n>";

    XMLResults results;
    XMLNode root = XMLNode::parseString(text.c_str(), nullptr, &results);
    ASSERT_EQ(results.error, eXMLErrorNone);
    int levels = 0;
    for (XMLNode node = root; !node.isEmpty(); node = node.getChildNode(0)) ++levels;
    EXPECT_EQ(levels, depth);
    const std::wstring path = temporaryPath("xmlnode_deep.xml");
    ASSERT_EQ(root.writeToFile(path.c_str(), false), eXMLErrorNone);
    XMLNode reread = XMLNode::parseFile(path.c_str(), L"n", &results);
    ASSERT_EQ(results.error, eXMLErrorNone);
    EXPECT_EQ(reread.createXMLString(false), root.createXMLString(false));

    // Left open, all levels close implicitly at the end of the text.
    XMLNode unclosed = XMLNode::parseString(text.substr(0, 3 * depth).c_str(), nullptr, &results);
    EXPECT_EQ(results.error, eXMLWarningUnmatchedEndTag);
    EXPECT_FALSE(unclosed.isEmpty());
}

TEST(XMLNodeWriting, Base64RoundTripsAndReportsBadInput) {
    unsigned char data[10];
    for (int length = 0; length <= 10; ++length) {
        for (int i = 0; i < length; ++i) data[i] = static_cast<unsigned char>(0xF7 * i + 3);
        const std::wstring text = XMLParserBase64Tool::encode(data, length, true);
        EXPECT_EQ(static_cast<int>(text.size()), XMLParserBase64Tool::encodeLength(length, true));
        XMLError error;
        ASSERT_EQ(XMLParserBase64Tool::decodeSize(text.c_str(), &error), length);
        EXPECT_EQ(error, eXMLErrorNone);
        unsigned char decoded[10] = {};
        ASSERT_TRUE(XMLParserBase64Tool::decode(text.c_str(), decoded, length, &error));
        EXPECT_EQ(error, eXMLErrorNone);
        EXPECT_EQ(std::string(decoded, decoded + length), std::string(data, data + length));
    }
    const unsigned char zeros[60] = {};
    const std::wstring lines = XMLParserBase64Tool::encode(zeros, 60, true);
    EXPECT_EQ(lines.find(L'\n'), 72u);

    XMLError error;
    unsigned char out[4];
    EXPECT_EQ(XMLParserBase64Tool::decodeSize(L"TWFu\n TQ", &error), 4);
    EXPECT_EQ(error, eXMLWarningBase64DataSizeIsNotMultipleOf4);
    const std::tuple<const wchar_t*, bool, XMLError> cases[] = {{L"TW*u", false, eXMLErrorBase64DecodeIllegalCharacter},
                                                                {L"TQ==TWFu", false, eXMLErrorBase64DecodeIllegalCharacter},
                                                                {L"TWFuTWFu", false, eXMLErrorBase64DecodeBufferTooSmall},
                                                                {L"TWFuTQ", true, eXMLWarningBase64DecodeTruncatedData}};
    for (const auto& [text, decoded, expected] : cases) {
        EXPECT_EQ(XMLParserBase64Tool::decode(text, out, 4, &error), decoded) << text;
        EXPECT_EQ(error, expected) << text;
    }
    EXPECT_EQ(std::string(out, out + 4), "ManM");
}
