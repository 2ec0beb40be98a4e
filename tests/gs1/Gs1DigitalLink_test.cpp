// Digital Link URIs read as GS1 reads them: scheme, host and characters, every primary key of the
// dictionary with its qualifiers in their declared order, the attributes the query may carry, and
// messages that say what is wrong; raw data that holds a URL is still an element string.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gs1/Gs1Fields.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

constexpr int kYear = 2026;
using Fields = quillstone::test::Gs1Fields;

Fields Read(const std::string& text) { return quillstone::test::ReadFields(text, kYear); }

std::string Refusal(const std::string& text) {
  return FailureText([&] { Gs1ElementString::Parse(text, kYear); }, "Error");
}

TEST(Gs1DigitalLink, QualifiersInTheirDeclaredOrder) {
  // GS1's own examples of a GTIN with its qualifiers (22, 10, 21, or 235 alone).
  EXPECT_EQ(Read("https://id.gs1.org/01/05412345000013/22/AJY3095721P49/10/ABC123/21/72292641703"),
            (Fields{{"01", "05412345000013"}, {"22", "AJY3095721P49"}, {"10", "ABC123"}, {"21", "72292641703"}}));
  EXPECT_EQ(Read("https://id.gs1.org/01/05412345000013/22/AJY3095721P49/21/72292641703").size(), 3u);
  EXPECT_EQ(Read("https://id.gs1.org/01/09506000134352/235/TPX456"),
            (Fields{{"01", "09506000134352"}, {"235", "TPX456"}}));
  const std::string link = "https://example.com/01/09506000134352";
  EXPECT_EQ(Refusal(link + "/10/ABC/22/XYZ"),
            "GS1数字链接'" + link + "/10/ABC/22/XYZ'的路径中AI(22)必须在AI(10)之前");
  EXPECT_EQ(Refusal(link + "/21/S1/10/B1"), "GS1数字链接'" + link + "/21/S1/10/B1'的路径中AI(10)必须在AI(21)之前");
  EXPECT_EQ(Refusal(link + "/22/A/235/T"),
            "GS1数字链接'" + link + "/22/A/235/T'中的AI(22)和AI(235)不能同时作为AI(01)的限定符");
  EXPECT_EQ(Refusal(link + "/10/A/10/A"), "GS1数字链接'" + link + "/10/A/10/A'的路径中AI(10)出现了两次");
}

TEST(Gs1DigitalLink, EveryPrimaryKeyOfTheDictionary) {
  EXPECT_EQ(Read("https://example.com/401/95060001GINC-1"), (Fields{{"401", "95060001GINC-1"}}));
  EXPECT_EQ(Read("https://example.com/402/95060001234567893"), (Fields{{"402", "95060001234567893"}}));
  EXPECT_EQ(Read("https://example.com/8004/9506000ASSET-7/7040/1A2B"),
            (Fields{{"8004", "9506000ASSET-7"}, {"7040", "1A2B"}}));
  EXPECT_EQ(Read("https://example.com/8006/095060001343520102/10/L1"),
            (Fields{{"8006", "095060001343520102"}, {"10", "L1"}}));
  EXPECT_EQ(Read("https://example.com/253/9506000134352DOC1"), (Fields{{"253", "9506000134352DOC1"}}));
}

TEST(Gs1DigitalLink, MisplacedQualifiersAndEmptyValuesAreNamed) {
  EXPECT_EQ(Refusal("https://example.com/00/106141412345678908/10/L1"),
            "GS1数字链接'https://example.com/00/106141412345678908/10/L1'中的AI(10)不是AI(00)的限定符");
  EXPECT_EQ(Refusal("https://example.com/414/5412345000013/10/L1"),
            "GS1数字链接'https://example.com/414/5412345000013/10/L1'中的AI(10)不是AI(414)的限定符");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/10/"),
            "GS1数字链接'https://example.com/01/09506000134352/10/'中AI(10)的值为空");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/10//21/S"),
            "GS1数字链接'https://example.com/01/09506000134352/10//21/S'中AI(10)的值为空");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352?17="),
            "GS1数字链接'https://example.com/01/09506000134352?17='中AI(17)的值为空");
  EXPECT_EQ(Refusal("https://example.com/products/123?x=1"),
            "GS1数字链接'https://example.com/products/123?x=1'的路径中没有GS1数字链接的主键AI(如00、01、414)");
}

TEST(Gs1DigitalLink, QueryCarriesOnlyWhatTheDictionaryAllowsThere) {
  EXPECT_EQ(Read("https://example.com/01/09506000134352?17=261231&3103=001250&linkType=gs1:pip"),
            (Fields{{"01", "09506000134352"}, {"17", "261231"}, {"3103", "001250"}}));
  // 21 is a qualifier of the path and no attribute.
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352?21=S1"),
            "GS1数字链接'https://example.com/01/09506000134352?21=S1'的查询中不能有AI(21)，它只能写在路径中或不能用于数字链接");
}

TEST(Gs1DigitalLink, OnlyHttpOnANamedHostWithUriCharacters) {
  EXPECT_EQ(Refusal("ftp://example.com/01/09506000134352"),
            "GS1数字链接'ftp://example.com/01/09506000134352'的协议应为http或https");
  EXPECT_EQ(Refusal("https:///01/09506000134352"), "GS1数字链接'https:///01/09506000134352'中没有主机名");
  EXPECT_EQ(Refusal("https://user@:8080/01/09506000134352"),
            "GS1数字链接'https://user@:8080/01/09506000134352'中没有主机名");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/10/A<B"),
            "GS1数字链接'https://example.com/01/09506000134352/10/A<B'中的'<'不是URI允许的字符");
  EXPECT_EQ(Refusal("https://example.com/01/09506000134352/10/A B"),
            "GS1数字链接'https://example.com/01/09506000134352/10/A B'中的' '不是URI允许的字符");
  EXPECT_EQ(Read("HTTP://Example.COM:8080/01/09506000134352").size(), 1u);
}

TEST(Gs1DigitalLink, RawDataHoldingAUrlIsAnElementString) {
  EXPECT_EQ(Read("]d2010950600013435291https://example.com/p?x=1"),
            (Fields{{"01", "09506000134352"}, {"91", "https://example.com/p?x=1"}}));
  EXPECT_EQ(Read("010950600013435291https://example.com/p"),
            (Fields{{"01", "09506000134352"}, {"91", "https://example.com/p"}}));
  EXPECT_EQ(Read("(01)09506000134352(91)https://example.com/p"),
            (Fields{{"01", "09506000134352"}, {"91", "https://example.com/p"}}));
  EXPECT_EQ(Gs1ElementString::FormOf("]d2010950600013435291https://x"), Gs1Form::Raw);
  EXPECT_EQ(Gs1ElementString::FormOf("ftp://x/01/1"), Gs1Form::DigitalLink);
}

TEST(Gs1DigitalLink, WritingFollowsTheDictionary) {
  auto e = Gs1ElementString::Parse("(01)09506000134352(21)S1(10)B1(22)V(17)261231", kYear);
  EXPECT_EQ(e.ToDigitalLink("https://example.com"),
            "https://example.com/01/09506000134352/22/V/10/B1/21/S1?17=261231");
  EXPECT_EQ(Read(e.ToDigitalLink()).size(), 5u);
  auto asset = Gs1ElementString::Parse("(8004)9506000ASSET-7(7040)1A2B", kYear);
  EXPECT_EQ(asset.ToDigitalLink("https://example.com"), "https://example.com/8004/9506000ASSET-7/7040/1A2B");
  // 254 belongs in the path of 414 and cannot stand in a query: without 414 it has no link form.
  auto gln = Gs1ElementString::Parse("(417)5412345000013(254)A1", kYear, false);
  EXPECT_EQ(FailureText([&] { gln.ToDigitalLink(); }, "Error"),
            "AI(254) GLN EXTENSION COMPONENT既不是AI(417)的限定符，也不能写在查询中，不能写成GS1数字链接");
}

}  // namespace
