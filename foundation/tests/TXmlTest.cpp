#include "foundation/TXml.h"

#include "foundation/XmlText.h"
#include "foundation/tests/TempDir.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::u16string W(std::string_view utf8) {
    return plat::text::AnsiToWide(utf8);
}
std::string A(const char16_t* text) {
    return plat::text::WideToAnsi(text ? text : u"");
}

// One element as name[attr="value" valueless]{text}(children); line breaks in text appear as \n.
void DumpNode(const TXmlNode& node, std::string& out) {
    out += A(node.Name.get());
    for (const TXmlPara* p = node.Attributes.Head; p; p = p->Next) {
        out += p == node.Attributes.Head ? "[" : " ";
        out += A(p->Name.get());
        if (p->Value) {
            out += "=\"" + A(p->Value.get()) + "\"";
        }
        out += p->Next ? "" : "]";
    }
    if (node.Text) {
        std::string text;
        for (const char c : A(node.Text.get())) {
            text += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        out += "{" + text + "}";
    }
    for (const TXmlNode* child = node.Children.Head; child; child = child->Next) {
        out += child == node.Children.Head ? "(" : " ";
        EXPECT_EQ(child->Parent, &node);
        DumpNode(*child, out);
        out += child->Next ? "" : ")";
    }
}

std::string Dump(const TXml& xml) {
    std::string out;
    for (const TXmlNode* node = xml.Head; node; node = node->Next) {
        out += node == xml.Head ? "" : " ";
        EXPECT_EQ(node->Parent, nullptr);
        DumpNode(*node, out);
    }
    return out;
}

std::string Parsed(std::string_view text) {
    TXml xml;
    EXPECT_TRUE(xml.Parse(W(text).c_str()));
    return Dump(xml);
}

struct TreeCase {
    const char* input;
    const char* tree;
};

TEST(TXmlTest, ElementsTextAndNesting) {
    const TreeCase cases[] = {
        {"<a></a><b></b>", "a b"},
        {"<a x=\"1\" y=\"2\"/><b></b>", "a[x=\"1\" y=\"2\"] b"},
        {"<a><b x=\"1\" /><c></c></a>", "a(b[x=\"1\"] c)"},
        {"<a/><b/>", "a b"},
        {"<a x/><b></b>", "a[x] b"},
        {"<a>\n  <b>t</b>\n</a>", "a{\\n}(b{t})"},
        {"<a>lost<b x=\"1\"/>kept</a>", "a{kept}(b[x=\"1\"])"},
        {"<r><a>one</a>two</r>", "r{two}(a{one})"},
        {"<a></a>", "a"},
        {"<a>x &lt; y &amp;&amp;</a>", "a{x < y &&}"},
        {"<a><b><c>", "a(b(c))"},
        {"<a><b></a><c></c>", "a(b c)"},
        {"<a><b / junk=\"1\"><c></c></a>", "a(b c)"},
        {"<><a></a>< >", "a"},
        {"  <a>\t</a>  ", "a{\t}"},
        {"", ""},
    };
    for (const TreeCase& c : cases) {
        EXPECT_EQ(Parsed(c.input), c.tree) << c.input;
    }
}

TEST(TXmlTest, ForgivingQuirks) {
    const TreeCase cases[] = {
        // declarations and processing instructions hold no element and end at "?>"
        {"<?xml version=\"1.0\"?>\n<root><a></a></root>", "root(a)"},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><OSDSCRIPT/><b/>", "OSDSCRIPT b"},
        {"<a><?pi x=\"1>2\"?><b></b></a>", "a(b)"},
        {"<a><?pi ?>t</a>", "a{t}"},
        {"<?><a></a>", "a"},
        // one that never ends with "?>" ends at its first '>'
        {"<?xml version=\"1.0\"><root></root>", "root"},
        {"<a></a><?xml", "a"},
        // declarations and comments end at their first '>'
        {"<!DOCTYPE x><a></a>", "a"},
        {"<a><!-- x > y -->z</a>", "a{ y -->z}"},
        {"<a><!-- x --><b></b></a>", "a(b)"},
        // "\name" closes the current element when name starts its name, ignoring case
        {"<abc><\\AB><d></d>", "abc d"},
        {"<abc><\\x><d></d>", "abc(d)"},
        {"<abc><\\><d></d>", "abc(d)"},
        {"<p><c><\\c x=\"1\">", "p[x=\"1\"](c)"},
        {"<\\a><b></b>", "b"},
        // closing tags are not compared; at the top level they become elements
        {"</x><a></a>", "/x(a)"},
        {"hello</a>", "/a"},
        // unquoted values become attribute names; single quotes do not delimit
        {"<a x=1 y></a>", "a[x 1 y]"},
        {"<a x='1'></a>", "a[x '1']"},
        // a quoted value that runs into '>' or the end is dropped
        {"<a x=\"1>2\">t</a>", "a[x]{2\">t}"},
        {"<a x=\"abc", "a[x]"},
        {"<a x", "a"},
        {"<a x ", "a[x]"},
        // '=' where a name belongs is passed over
        {"<a = x=\"1\" ==y></a>", "a[x=\"1\" y]"},
        {"<a x = \"1\" empty=\"\"></a>", "a[x=\"1\" empty]"},
        {"<a href=\"x/y<z\"></a>", "a[href=\"x/y<z\"]"},
        {"<a<b c>", "a<b[c]"},
    };
    for (const TreeCase& c : cases) {
        EXPECT_EQ(Parsed(c.input), c.tree) << c.input;
    }
}

TEST(TXmlTest, EntitiesAreDecodedOnceAndOnlyTheBasicFour) {
    EXPECT_EQ(Parsed("<a x=\"&amp;lt;&lt;&#65;&bogus;&slash;&amp\">&quot;&amp;amp;</a>"),
              "a[x=\"&lt;<&#65;&bogus;&slash;&amp\"]{\"&amp;}");

    struct Case {
        std::u16string_view text;
        bool extended;
        std::u16string_view decoded;
    };
    const Case cases[] = {
        {u"&lt;&gt;&amp;&quot;", false, u"<>&\""},
        {u"&amp;lt;", false, u"&lt;"},
        {u"&slash;&bkslash;&col;&ast;&bar;", false, u"&slash;&bkslash;&col;&ast;&bar;"},
        {u"&slash;&bkslash;&col;&ast;&bar;", true, u"/\\:*|"},
        {u"&&lt;&;&lt", true, u"&<&;&lt"},
        {u"plain", true, u"plain"},
        {u"", true, u""},
    };
    for (const Case& c : cases) {
        std::u16string text(c.text);
        text += std::u16string(u"\0tail", 5);
        EXPECT_TRUE(XmlDecodeEntities(text.data(), c.extended));
        EXPECT_EQ(std::u16string(text.c_str()), c.decoded);
    }
    EXPECT_FALSE(XmlDecodeEntities(nullptr, true));
}

TEST(TXmlTest, Numbers) {
    const std::pair<const char16_t*, std::int32_t> cases[] = {
        {u"42", 42},
        {u"-17ms", -17},
        {u"+8", 8},
        {u"x9", 0},
        {u"", 0},
        {nullptr, 0},
        {u"99999999999", 2147483647},
        {u"-99999999999", -2147483647 - 1},
        {u" 5", 0},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(XmlNumber(text), number);
    }
}

TEST(TXmlTest, WhiteSpace) {
    for (const char16_t c : {u'\t', u'\n', u'\f', u'\r', u' '}) {
        EXPECT_TRUE(XmlIsSpace(c)) << int(c);
    }
    for (const char16_t c : {u'\v', u'\0', u'a', u'\u00A0', u'\u3000'}) {
        EXPECT_FALSE(XmlIsSpace(c)) << int(c);
    }
}

TEST(TXmlTest, ParseKeepAndParent) {
    TXml xml;
    EXPECT_FALSE(xml.Parse(nullptr));
    ASSERT_TRUE(xml.Parse(u"<a>first</a><b></b>"));
    EXPECT_EQ(xml.Current, xml.Head);

    TXmlNode* a = xml.Head;
    ASSERT_TRUE(xml.Parse(u"<c></c>second</x>", true, a));
    EXPECT_EQ(Dump(xml), "a{second}(c) b");
    ASSERT_TRUE(xml.Parse(u"<d></d>", true));
    EXPECT_EQ(Dump(xml), "a{second}(c) b d");
    EXPECT_EQ(xml.Current, xml.Head);

    ASSERT_TRUE(xml.Parse(u"<e></e>"));
    EXPECT_EQ(Dump(xml), "e");
    EXPECT_EQ(xml.Clear(), 1);
    EXPECT_EQ(xml.Count, 0);
}

// Elements parsed below an element of another document are held by that document: they outlive
// the document that read them, and the elements that climb out of the parent stay with the reader.
TEST(TXmlTest, ElementsLiveWithTheDocumentThatHoldsThem) {
    TXml holder;
    ASSERT_TRUE(holder.Parse(u"<list><first/></list>"));
    auto reader = std::make_unique<TXml>();
    ASSERT_TRUE(reader->Parse(u"<added name=\"kept\">text</added></list><outside/>", true, holder.Head));
    EXPECT_EQ(Dump(*reader), "outside");
    reader.reset();
    EXPECT_EQ(Dump(holder), "list(first added[name=\"kept\"]{text})");

    // An element deleted from its list takes its subtree with it; the rest stays readable.
    ASSERT_TRUE(holder.Head->Children.Delete(holder.Head->Children.Head));
    EXPECT_EQ(Dump(holder), "list(added[name=\"kept\"]{text})");
    EXPECT_EQ(holder.Clear(), 1);
    ASSERT_TRUE(holder.Parse(u"<again/>"));
    EXPECT_EQ(Dump(holder), "again");
}

// Runs of every length from 0 to past two of the reader's eight-character steps, ended at every
// place within a step: texts, values, comments, and the zero character that ends a text early.
TEST(TXmlTest, RunsOfEveryLengthEndWhereTheyShould) {
    for (std::size_t length = 0; length <= 20; ++length) {
        for (std::size_t offset = 0; offset < 8; ++offset) {
            const std::u16string lead(offset, u' ');
            const std::u16string run(length, u'x');
            const std::string r(length, 'x');
            SCOPED_TRACE(testing::Message() << "length " << length << ", offset " << offset);
            TXml xml;
            ASSERT_TRUE(xml.Parse(lead + u"<e v=\"" + run + u"\"><!--" + run + u"-->" + run + u"&amp;" + run +
                                  u"</e>"));
            EXPECT_EQ(Dump(xml), "e" + (length ? "[v=\"" + r + "\"]" : "[v]") + "{" + r + "&" + r + "}");
            std::u16string cut = lead + u"<e v=\"" + run + u"\">" + run + u"</e>";
            cut[offset + 6 + length / 2] = 0; // inside the value, or at its quote for the empty one
            ASSERT_TRUE(xml.Parse(cut));
            EXPECT_EQ(Dump(xml), "e[v]");
            cut = lead + u"<e>" + run + u"</e>";
            cut[offset + 3 + length] = 0; // where the closing tag starts
            ASSERT_TRUE(xml.Parse(cut));
            EXPECT_EQ(Dump(xml), "e");
        }
    }
}

TEST(TXmlTest, FindChild) {
    TXml xml;
    xml.Parse(u"<root><Item n=\"1\"></Item><other></other><ITEM n=\"2\"></ITEM></root>");
    TXmlNode* child = xml.Head;
    EXPECT_EQ(xml.Head->FindChild(u"item", child), 1);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(A(child->Name.get()), "Item");
    EXPECT_EQ(xml.Head->Children.Current, child);

    EXPECT_EQ(xml.Head->FindChildA("OTHER", child), 1);
    EXPECT_EQ(A(child->Name.get()), "other");
    EXPECT_EQ(xml.Head->FindChild(u"none", child), -1);
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(xml.Head->FindChild(nullptr, child), -1);
    EXPECT_EQ(xml.Head->FindChildA(nullptr, child), -1);
}

TEST(TXmlTest, GetAttribute) {
    TXml xml;
    xml.Parse(u"<e name=\"Value\" empty=\"\" bare wörd=\"ü€\"></e>");
    TXmlNode& e = *xml.Head;

    struct Case {
        const char16_t* name;
        bool buffer;
        int size;
        int result;
        std::u16string_view copied;
    };
    const Case cases[] = {
        {u"NAME", true, 5, 5, u"Value"}, {u"name", true, 9, 5, u"Value"}, {u"name", true, 4, -2, u""},
        {u"name", false, 0, 5, u""},     {u"empty", true, 9, 0, u""},     {u"bare", true, 9, 0, u""},
        {u"missing", true, 9, -1, u""},  {u"WÖRD", true, 2, 2, u"ü€"},    {nullptr, true, 9, -1, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(A(c.name));
        std::u16string buffer(10, u'X');
        EXPECT_EQ(e.GetAttribute(c.name, c.buffer ? buffer.data() : nullptr, c.size), c.result);
        if (c.buffer) {
            EXPECT_EQ(std::u16string(buffer.c_str()), c.copied);
        }
    }
    EXPECT_EQ(e.Attributes.Current, e.Attributes.Tail); // left on the attribute found last
}

TEST(TXmlTest, GetAttributeA) {
    TXml xml;
    xml.Parse(u"<e name=\"Value\" empty=\"\" w=\"ü€\"></e>");
    TXmlNode& e = *xml.Head;

    struct Case {
        const char* name;
        bool buffer;
        int size;
        int result;
        std::string_view copied;
    };
    const Case cases[] = {
        {"name", true, 6, 5, "Value"}, {"name", true, 5, -2, ""},
        {"NAME", false, 0, 5, ""},     {"empty", true, 6, 0, ""},
        {"missing", true, 6, -1, ""},  {"W", true, 6, 5, "\xC3\xBC\xE2\x82\xAC"},
        {"w", true, 5, -2, ""},        {"name", true, 0, -2, ""},
        {nullptr, true, 6, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name ? c.name : "(none)");
        std::string buffer(10, 'X');
        EXPECT_EQ(e.GetAttributeA(c.name, c.buffer ? buffer.data() : nullptr, c.size), c.result);
        if (c.buffer && c.size > 0) {
            EXPECT_EQ(std::string(buffer.c_str()), c.copied);
        }
    }
}

TEST(TXmlTest, Utf16AndAnsiFilesGiveTheSameTree) {
    const std::u16string doc =
        u"<?xml version=\"1.0\"?>\r\n<list>\r\n  <entry name=\"Köln €\">Grüße</entry>\r\n</list>";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t c : doc) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>(c >> 8);
    }
    TempDir dir;
    const std::string expected = "list{\r\\n}(entry[name=\"Köln €\"]{Grüße})";

    for (const std::string& bytes : {utf16 + std::string("\0\0junk", 6), plat::text::WideToAnsi(doc)}) {
        TXml xml;
        xml.Parse(u"<old></old>");
        ASSERT_TRUE(xml.LoadFromFile(W(dir.Write("doc.xml", bytes)).c_str()));
        EXPECT_EQ(Dump(xml), expected);
        TXml viaA;
        ASSERT_TRUE(viaA.LoadFromFileA(dir.Path("doc.xml").c_str()));
        EXPECT_EQ(Dump(viaA), expected);
    }

    TXml xml;
    xml.Parse(u"<old></old>");
    EXPECT_FALSE(xml.LoadFromFile(dir.WPath("missing.xml").c_str()));
    EXPECT_FALSE(xml.LoadFromFileA(nullptr));
    EXPECT_EQ(Dump(xml), "old");
}

TEST(TXmlTest, ReadTextFileW) {
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"mark only", "\xFF\xFE", u""},
        {"cut at the first zero character",
         std::string("\xFF\xFE"
                     "A\0B\0\0\0C\0",
                     10),
         u"AB"},
        {"odd trailing byte",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         u"A"},
        {"one byte", "\xFF", u"\uFFFD"},
        {"UTF-8 as ANSI",
         "gr\xC3\xBC\xC3\x9F"
         "e",
         u"grüße"},
        {"empty", "", u""},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string text = u"stale";
        EXPECT_TRUE(ReadTextFileW(W(dir.Write("t", c.bytes)).c_str(), text));
        EXPECT_EQ(text, c.text);
    }
    std::u16string text = u"kept";
    EXPECT_FALSE(ReadTextFileW(dir.WPath("missing").c_str(), text));
    EXPECT_FALSE(ReadTextFileW(nullptr, text));
    EXPECT_EQ(text, u"kept");
}

TEST(TXmlTest, ReadFileBytesA) {
    TempDir dir;
    std::string bytes = "kept";
    ASSERT_TRUE(ReadFileBytesA(dir.Write("b", std::string("a\0b", 3)).c_str(), bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_EQ(bytes.c_str()[3], '\0');
    EXPECT_FALSE(ReadFileBytesA(dir.Path("missing").c_str(), bytes));
    EXPECT_FALSE(ReadFileBytesA(nullptr, bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
}

TEST(TXmlTest, DeepNestingParsesAndTearsDownWithoutRecursion) {
    constexpr int kDepth = 200000;
    std::u16string text;
    for (int i = 0; i < kDepth; ++i) {
        text += u"<a x=\"1\">";
    }
    TXml xml;
    ASSERT_TRUE(xml.Parse(text.c_str()));
    int depth = 0;
    for (const TXmlNode* node = xml.Head; node; node = node->Children.Head) {
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(xml.Clear(), 1);
}

// Every parent link matches the list that holds the element and every list's count its length.
void CheckStructure(const TPointer<TXmlNode>& list, const TXmlNode* parent) {
    std::vector<std::pair<const TPointer<TXmlNode>*, const TXmlNode*>> pending{{&list, parent}};
    while (!pending.empty()) {
        const auto [nodes, owner] = pending.back();
        pending.pop_back();
        int count = 0;
        for (const TXmlNode* node = nodes->Head; node; node = node->Next, ++count) {
            ASSERT_EQ(node->Parent, owner);
            ASSERT_NE(node->Name, nullptr);
            int attributes = 0;
            for (const TXmlPara* p = node->Attributes.Head; p; p = p->Next) {
                ASSERT_NE(p->Name, nullptr);
                ++attributes;
            }
            ASSERT_EQ(attributes, node->Attributes.Count);
            pending.push_back({&node->Children, node});
        }
        ASSERT_EQ(count, nodes->Count);
    }
}

TEST(TXmlTest, HostileInputNeverBreaksTheTree) {
    const std::u16string alphabet = u"<>/\\=\"! \n&;a?-üaaaaaaaaaa";
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 2000; ++round) {
        std::u16string text(next() % 160, u' ');
        for (char16_t& c : text) {
            c = alphabet[next() % alphabet.size()];
        }
        TXml xml;
        ASSERT_TRUE(xml.Parse(text.c_str()));
        CheckStructure(xml, nullptr);
        TXml sized;
        ASSERT_TRUE(sized.Parse(text));
        ASSERT_EQ(Dump(sized), Dump(xml));
        if (xml.Head) {
            char16_t buffer[4];
            TXmlNode* child = nullptr;
            xml.Head->GetAttribute(u"a", buffer, 3);
            xml.Head->FindChild(u"a", child);
        }
    }
}

} // namespace
