#include "config/XMLNode.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct Parsed {
    XMLNode node;
    XMLResults results;
};

Parsed parse(const wchar_t* text, const wchar_t* tag = nullptr) {
    Parsed parsed{};
    parsed.node = XMLNode::parseString(text, tag, &parsed.results);
    return parsed;
}

Parsed parseBytes(const std::string& bytes, const wchar_t* tag = nullptr) {
    Parsed parsed{};
    parsed.node = XMLNode::parseBuffer(bytes.data(), bytes.size(), tag, &parsed.results);
    return parsed;
}

std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// The error or warning of a parse and where it was found.
std::tuple<XMLError, int, int> found(const Parsed& p) { return {p.results.error, p.results.nLine, p.results.nColumn}; }

// Restores the default options however a test ends.
struct GlobalOptionsGuard {
    ~GlobalOptionsGuard() { XMLNode::setGlobalOptions(); }
};

}  // namespace

TEST(XMLNode, DecodesUTF8AndUTF16WithOrWithoutByteOrderMark) {
    const std::u16string text = u"<Scene name=\"caf\u00e9 \U0001F600\"/>";
    const std::wstring expected = L"caf\u00e9 \U0001F600";
    const std::string utf8 = "<Scene name=\"caf\xC3\xA9 \xF0\x9F\x98\x80\"/>";
    const std::string inputs[] = {
        utf8,
        "\xEF\xBB\xBF" + utf8,
        "\xFF\xFE" + utf16(text, false),
        "\xFE\xFF" + utf16(text, true),
        utf16(text, false),  // recognised by the zero bytes alone
        utf16(text, true),
    };
    for (const std::string& bytes : inputs) {
        Parsed parsed = parseBytes(bytes);
        ASSERT_EQ(parsed.results.error, eXMLErrorNone);
        EXPECT_STREQ(parsed.node.getName(), L"Scene");
        EXPECT_EQ(std::wstring(parsed.node.getAttribute(L"name")), expected);
    }

    // A lone surrogate cannot be decoded and is replaced.
    Parsed lone = parseBytes(utf16(u"<a b=\"\xD800x\"/>", false));
    EXPECT_EQ(std::wstring(lone.node.getAttribute(L"b")), L"\uFFFDx");

    // Each malformed piece of UTF-8 reads as one U+FFFD; nothing fails.
    const std::pair<std::string, std::wstring> malformed[] = {
        {"<a>\xC3</a>", L"\uFFFD"},                                // a lead byte without its continuation
        {"<a>\xC0\xAF</a>", L"\uFFFD\uFFFD"},                      // an overlong form: two bytes that lead nothing
        {"<a>\xED\xA0\x80</a>", L"\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {"<a>\xF4\x90\x80\x80</a>", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"<a>caf\xE9s \xE2\x82</a>", L"caf\uFFFDs \uFFFD"},        // Latin-1; a sequence cut short
    };
    for (const auto& [bytes, text] : malformed) {
        Parsed parsed = parseBytes(bytes);
        EXPECT_EQ(parsed.results.error, eXMLErrorNone);
        EXPECT_EQ(parsed.node.getText(), text);
    }
    Parsed latin1Comment = parseBytes("<!-- caf\xE9 --><Scene/>", L"Scene");
    EXPECT_EQ(latin1Comment.results.error, eXMLErrorNone);
    EXPECT_STREQ(latin1Comment.node.getName(), L"Scene");
    EXPECT_EQ(parseBytes("").results.error, eXMLErrorNoXMLData);
    // The text ends at the first zero byte.
    EXPECT_STREQ(parseBytes(std::string("<a/>\0\xC3", 6)).node.getName(), L"a");

    GlobalOptionsGuard restore;
    XMLNode::setGlobalOptions(eXMLEncodingUnchanged, false, true);
    EXPECT_STREQ(parseBytes(utf16(u"<wide/>", false)).node.getName(), L"wide");

    // The 8-bit alternative is Windows-1252: Latin-1 with printable characters for 80 to 9F.
    XMLNode::setGlobalOptions(eXMLEncodingSystem, true, true);
    Parsed latin1 = parseBytes("<Sc\xE8ne titre=\"caf\xE9 \x80\x9F\x81\xFF\"/>");
    EXPECT_EQ(latin1.results.error, eXMLErrorNone);
    EXPECT_STREQ(latin1.node.getName(), L"Sc\u00e8ne");
    EXPECT_STREQ(latin1.node.getAttribute(L"titre"), L"caf\u00e9 \u20AC\u0178\u0081\u00FF");
    EXPECT_STREQ(parseBytes("\xEF\xBB\xBF<a>\xE9</a>").node.getText(), L"\u00e9") << "the mark is skipped";
}

TEST(XMLNode, DecodesCharacterEntitiesInTextsAndAttributeValues) {
    Parsed parsed = parse(L"<a v=\"&LT;&#65;&#x41;&#X4a;&apos;\">x &AMP; y&gt;&quot;&#x10041;</a>");
    ASSERT_EQ(parsed.results.error, eXMLErrorNone);
    EXPECT_STREQ(parsed.node.getAttribute(L"v"), L"<AAJ'");
    EXPECT_STREQ(parsed.node.getText(), L"x & y>\"A");  // numeric values are kept in 16 bits

    const wchar_t* bad[] = {L"<a>&foo;</a>", L"<a>&#6z;</a>", L"<a>&amp</a>", L"<a>&#;</a>", L"<a>& b</a>"};
    for (const wchar_t* text : bad) {
        Parsed failed = parse(text);
        EXPECT_EQ(found(failed), std::make_tuple(eXMLErrorUnknownCharacterEntity, 1, 4)) << text;  // at the ampersand
        EXPECT_TRUE(failed.node.isEmpty());
    }
}

TEST(XMLNode, ReportsEachErrorWithLineAndColumn) {
    struct Case {
        const wchar_t *text, *tag;
        XMLError error;
        int line, column;
    };
    const Case cases[] = {
        {L"<a>\n  < >", nullptr, eXMLErrorMissingStartTagName, 2, 5},
        {L"<a></>", nullptr, eXMLErrorMissingEndTagName, 1, 6},
        {L"<a></a b>", nullptr, eXMLErrorMissingEndTagName, 1, 8},
        {L"<a>\n</b>", nullptr, eXMLErrorUnmatchedEndTag, 2, 1},
        {L"<a>\n\t<!-- open", nullptr, eXMLErrorUnmatchedClearTagEnd, 2, 2},
        {L"<a b=>", nullptr, eXMLErrorUnexpectedToken, 1, 6},
        {L"<a\r\n  =\"x\">", nullptr, eXMLErrorUnexpectedToken, 2, 3},
        {L"<a x='1 < 2'/>", nullptr, eXMLErrorUnexpectedToken, 1, 9},  // the quote meets "<"
        {L"<a/>\n", L"b", eXMLErrorFirstTagNotFound, 2, 1},
        // An error after a warning wins and discards the tree.
        {L"<a><b></a></c>", nullptr, eXMLErrorUnmatchedEndTag, 1, 11},
    };
    for (const Case& c : cases) {
        Parsed parsed = parse(c.text, c.tag);
        EXPECT_EQ(found(parsed), std::make_tuple(c.error, c.line, c.column)) << c.text;
        EXPECT_TRUE(parsed.node.isEmpty()) << c.text;
    }
    XMLResults results;
    EXPECT_TRUE(XMLNode::parseString(nullptr, nullptr, &results).isEmpty());
    EXPECT_EQ(results.error, eXMLErrorNoElements);
    EXPECT_STREQ(XMLNode::getError(static_cast<XMLError>(20)), L"Unknown");
}

TEST(XMLNode, WarningsKeepTheTree) {
    // The end tag of the outer element closes the inner one implicitly.
    Parsed unmatched = parse(L"<r>\n <a><b></a>\n <c/></r>");
    EXPECT_EQ(found(unmatched), std::make_tuple(eXMLWarningUnmatchedEndTag, 2, 8));
    ASSERT_EQ(unmatched.node.nChildNode(), 2);
    EXPECT_STREQ(unmatched.node.getChildNode(0).getChildNode(0).getName(), L"b");
    EXPECT_STREQ(unmatched.node.getChildNode(1).getName(), L"c");

    Parsed unclosed = parse(L"<a>\n<b/>");
    EXPECT_EQ(found(unclosed), std::make_tuple(eXMLWarningUnmatchedEndTag, 2, 5));
    EXPECT_EQ(unclosed.node.nChildNode(L"B"), 1);

    Parsed noTag = parse(L"just text");
    EXPECT_EQ(found(noTag), std::make_tuple(eXMLWarningNoXMLTagFound, 1, 10));
    EXPECT_EQ(noTag.node.getName(), nullptr);
    EXPECT_STREQ(noTag.node.getText(), L"just text");

    // An end tag that closes over a declaration closes it implicitly too, with the warning;
    // at the end of the text an open declaration is no warning.
    Parsed declaration = parse(L"<r><?pi x?><a/></r>");
    EXPECT_EQ(found(declaration), std::make_tuple(eXMLWarningUnmatchedEndTag, 1, 16));
    EXPECT_STREQ(declaration.node.getChildNode(L"pi").getChildNode(0).getName(), L"a");
    EXPECT_EQ(parse(L"<?xml v='1'?><r><?pi?></r>").results.error, eXMLWarningUnmatchedEndTag);
    EXPECT_EQ(parse(L"<?xml v='1'?><r/><?pi?>").results.error, eXMLErrorNone);
}

TEST(XMLNode, ColumnsCountCharactersNotBytes) {
    Parsed parsed = parseBytes("<\xC3\xA9t\xC3\xA9>\n\xF0\x9F\x98\x80\xC3\xBC&x;</\xC3\xA9t\xC3\xA9>");
    EXPECT_EQ(found(parsed), std::make_tuple(eXMLErrorUnknownCharacterEntity, 2, 3));

    // End tags match names with characters beyond ASCII, the ASCII letters without regard to case.
    Parsed closed = parseBytes("<\xC3\xA9t\xC3\xA9><x/></\xC3\xA9T\xC3\xA9>");
    EXPECT_EQ(closed.results.error, eXMLErrorNone);
    EXPECT_STREQ(closed.node.getName(), L"\u00e9t\u00e9");
}

TEST(XMLNode, EveryElementKeepsItsOwnNames) {
    // Names are stored once per document; many distinct, long and repeated names stay apart.
    const std::wstring longName(100, L'n');
    std::wstring text = L"<r>";
    for (int i = 0; i < 300; ++i)
        text += L"<e" + std::to_wstring(i) + L" a" + std::to_wstring(i % 7) + L"='" + std::to_wstring(i) + L"' " +
                longName + L"/>";
    text += L"</r>";
    Parsed parsed = parse(text.c_str());
    ASSERT_EQ(parsed.node.nChildNode(), 300);
    for (int i = 0; i < 300; ++i) {
        XMLNode child = parsed.node.getChildNode(i);
        EXPECT_EQ(child.getName(), L"e" + std::to_wstring(i));
        EXPECT_EQ(child.getAttribute(0).name, L"a" + std::to_wstring(i % 7));
        EXPECT_EQ(child.getAttribute(1).name, longName);
        EXPECT_EQ(child.getAttribute(0).value, std::to_wstring(i));
    }

    // Removing the "?" of a declaration's last attribute leaves the same name elsewhere alone.
    Parsed declaration = parse(
        L"<r a?='1'><?pi a?"
        L"?></r>");
    EXPECT_STREQ(declaration.node.getAttribute(0).name, L"a?");
    EXPECT_STREQ(declaration.node.getChildNode(0).getAttribute(0).name, L"a?");
}

TEST(XMLNode, DeclarationsHoldWhatFollowsAndTheTagIsFoundInside) {
    const wchar_t* text = L"<?xml version=\"1.0\" encoding='UTF-8'?>\n<!-- scene -->\n<RootComponent/>";
    Parsed whole = parse(text);
    ASSERT_EQ(whole.results.error, eXMLErrorNone);
    EXPECT_TRUE(whole.node.isDeclaration());
    EXPECT_STREQ(whole.node.getName(), L"xml");
    ASSERT_EQ(whole.node.nAttribute(), 2);  // the "?" of "?>" is no attribute
    EXPECT_STREQ(whole.node.getAttribute(L"encoding"), L"UTF-8");
    EXPECT_STREQ(whole.node.getClear().value, L" scene ");

    // The search goes past comments and down through a chain of declarations; findTag does
    // the same on a tree at hand, which keeps what lies beside the element found.
    const wchar_t* chained =
        L"<!-- a scene -->\n<?xml v='1'?><?xml-stylesheet href='s'?>\n<Other/>\n"
        L"<RootComponent/>\n<RootComponent posX='2'/>";
    Parsed found = parse(chained, L"rootcomponent");
    EXPECT_EQ(found.results.error, eXMLErrorNone);
    EXPECT_STREQ(found.node.getName(), L"RootComponent");
    EXPECT_EQ(found.node.getLine(), 4);
    Parsed document = parse(chained);
    EXPECT_EQ(document.node.getName(), nullptr);
    EXPECT_EQ(document.node.getLine(), 0);
    const XMLNode first = document.node.findTag(L"rootcomponent");
    EXPECT_EQ(first.getLine(), 4);
    EXPECT_EQ(first.getAttribute(L"posX"), nullptr);
    EXPECT_EQ(first.getParentNode().getChildNode(2).getLine(), 5);
    EXPECT_EQ(first.findTag(L"RootComponent").getLine(), 4);
    EXPECT_TRUE(document.node.findTag(L"Missing").isEmpty());
}

TEST(XMLNode, FindsTheZeroCharacterThatEndsATextEarly) {
    // Narrow texts are checked where the player refuses a scene with a zero byte.
    int line = 0, column = 0;
    const std::string wide = "\xFF\xFE" + utf16(u"<a>\u00e9<b/>", false) + std::string(2, '\0') + utf16(u"</a>", false);
    ASSERT_TRUE(XMLNode::findZeroCharacter(wide.data(), wide.size(), line, column));
    EXPECT_EQ(std::make_pair(line, column), std::make_pair(1, 9));
    EXPECT_FALSE(XMLNode::findZeroCharacter("<a/>", 4, line, column));
    const std::string trailing = "\xFF\xFE" + utf16(u"<a/>", false);
    EXPECT_FALSE(XMLNode::findZeroCharacter(trailing.data(), trailing.size(), line, column));
}

TEST(XMLNode, LooksUpChildrenAndAttributesWithoutRegardToCase) {
    Parsed parsed = parse(L"<Scene><Component posX='1' flag posX='2'/><COMPONENT/><Other/></Scene>");
    const XMLNode& scene = parsed.node;
    EXPECT_EQ(scene.nChildNode(L"component"), 2);
    EXPECT_STREQ(scene.getChildNode(L"component", 1).getName(), L"COMPONENT");
    EXPECT_TRUE(scene.getChildNode(L"component", 2).isEmpty());
    EXPECT_TRUE(scene.getChildNode(3).isEmpty());

    XMLNode component = scene.getChildNode(L"Component");
    EXPECT_STREQ(component.getAttribute(L"POSX"), L"1");
    EXPECT_EQ(component.getAttribute(L"posY"), nullptr);
    EXPECT_EQ(component.getAttribute(L"flag"), nullptr);  // written without a value
    int index = 1;
    EXPECT_STREQ(component.getAttribute(L"posx", &index), L"2");
    EXPECT_EQ(index, 3);
    EXPECT_EQ(component.getAttribute(L"posx", &index), nullptr);

    EXPECT_EQ(XMLNode::emptyXMLNode.getName(), nullptr);
    EXPECT_TRUE(XMLNode::emptyXMLNode.getChildNode(L"x").isEmpty());
    EXPECT_EQ(XMLNode::emptyXMLNode.getAttribute(L"x"), nullptr);
}

TEST(XMLNode, KeepsClearPiecesVerbatimAndDropsBlankText) {
    Parsed parsed = parse(
        L"<a>\n  \r\n\t<![CDATA[ <b> & ]]>  keep  me \n<!DOCTYPE d [<!ENTITY e 'x'>]>"
        L"<PRE>&x</PRE><Script>if (a<b) c();</Script><pre/></a>");
    ASSERT_EQ(parsed.results.error, eXMLErrorNone);
    const XMLNode& a = parsed.node;
    ASSERT_EQ(a.nClear(), 4);
    EXPECT_EQ((std::vector<std::wstring>{a.getClear(0).value, a.getClear(0).openTag, a.getClear(1).value, a.getClear(1).closeTag,
                                         a.getClear(2).value, a.getClear(3).value}),
              (std::vector<std::wstring>{L" <b> & ", L"<![CDATA[", L" d [<!ENTITY e 'x'>", L"]>", L"&x", L"if (a<b) c();"}));
    EXPECT_EQ(a.nChildNode(L"pre"), 1);  // markers are case-sensitive
    ASSERT_EQ(a.nText(), 1);
    EXPECT_STREQ(a.getText(), L"keep  me");
    EXPECT_EQ(a.nElement(), 6);

    GlobalOptionsGuard restore;
    XMLNode::setGlobalOptions(eXMLEncodingUnchanged, true, false);
    EXPECT_STREQ(parse(L"<a> \n </a>").node.getText(), L" \n ");
}

TEST(XMLNode, OpenFileHelperReportsOnStandardErrorAndExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(XMLNode::openFileHelper(L"/nonexistent/scene.xml", L"RootComponent"), testing::ExitedWithCode(255),
                "^XML Parsing error inside file '/nonexistent/scene.xml'\\.\n"
                "Error: File not found\nAt line 0, column 0\\.\n$");

    const std::string path = testing::TempDir() + "xmlnode_first_tag.xml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<Scene/>", file);
    std::fclose(file);
    const std::wstring widePath(path.begin(), path.end());
    EXPECT_EXIT(XMLNode::openFileHelper(widePath.c_str(), L"RootComponent"), testing::ExitedWithCode(255),
                "Error: First Tag not found\nAt line 1, column 9\\.\nFirst Tag should be 'RootComponent'\\.\n$");
    EXPECT_STREQ(XMLNode::openFileHelper(widePath.c_str(), L"scene").getName(), L"Scene");
}
