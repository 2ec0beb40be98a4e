// Reading element strings in their three forms, the standard's own examples among them, and
// writing every form back.
#include "quillstone/gs1/Gs1ElementString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "gs1/Gs1Fields.h"
#include "quillstone/gs1/Gs1AiTable.h"

using namespace quillstone;

namespace {

constexpr int kYear = 2026;
const std::string GS(1, Gs1ElementString::kGroupSeparator);

using Fields = quillstone::test::Gs1Fields;
using quillstone::test::FieldsOf;

Fields Read(const std::string& text) { return quillstone::test::ReadFields(text, kYear); }

const Fields kLabel = {{"01", "09506000134352"}, {"10", "ABC123"}, {"17", "251231"}};

TEST(Gs1ElementString, ReadsTheSameLabelFromEveryForm) {
  EXPECT_EQ(Read("(01)09506000134352(10)ABC123(17)251231"), kLabel);
  EXPECT_EQ(Read("0109506000134352"
                 "10ABC123" +
                 GS + "17251231"),
            kLabel);
  EXPECT_EQ(Read("https://example.com/01/09506000134352/10/ABC123?17=251231"), kLabel);
  for (const char* id : {"]C1", "]d2", "]Q3", "]e0"}) {
    auto e = Gs1ElementString::Parse(std::string(id) +
                                         "0109506000134352"
                                         "10ABC123" +
                                         GS + "17251231",
                                     kYear);
    EXPECT_EQ(FieldsOf(e), kLabel) << id;
    EXPECT_EQ(e.symbologyIdentifier(), id);
  }
}

TEST(Gs1ElementString, ReadsTheStandardsExamples) {
  EXPECT_EQ(Read("(00)106141412345678908"), (Fields{{"00", "106141412345678908"}}));
  EXPECT_EQ(Read("(00)376104250021234569"), (Fields{{"00", "376104250021234569"}}));
  EXPECT_EQ(Read("(01)06291041500213"), (Fields{{"01", "06291041500213"}}));
  EXPECT_EQ(Read("(01)09521234543213(3103)000123"), (Fields{{"01", "09521234543213"}, {"3103", "000123"}}));
  EXPECT_EQ(Read("(410)3898765432108(414)5412345000013"), (Fields{{"410", "3898765432108"}, {"414", "5412345000013"}}));
  EXPECT_EQ(Read("(01)10614141000415(15)230228(21)ABC"),
            (Fields{{"01", "10614141000415"}, {"15", "230228"}, {"21", "ABC"}}));
  EXPECT_EQ(Read("https://example.com/01/09506000134352/10/AB-123/21/12345?17=180426"),
            (Fields{{"01", "09506000134352"}, {"10", "AB-123"}, {"21", "12345"}, {"17", "180426"}}));
  EXPECT_EQ(Read("(00)106141412345678908(02)09506000134352(37)24(400)PO-4711(7003)2512312359"),
            (Fields{{"00", "106141412345678908"},
                    {"02", "09506000134352"},
                    {"37", "24"},
                    {"400", "PO-4711"},
                    {"7003", "2512312359"}}));
  EXPECT_EQ(Read("(01)09506000134352(21)S1(11)250100(13)250115(16)251200(22)2A(240)X1(241)C-9(250)S2(30)7(420)100080"),
            (Fields{{"01", "09506000134352"},
                    {"21", "S1"},
                    {"11", "250100"},
                    {"13", "250115"},
                    {"16", "251200"},
                    {"22", "2A"},
                    {"240", "X1"},
                    {"241", "C-9"},
                    {"250", "S2"},
                    {"30", "7"},
                    {"420", "100080"}}));
}

TEST(Gs1ElementString, RawDataNeedsNoSeparatorAfterFieldsOfPredefinedLength) {
  // 01, 17, 3103 and 410 run straight into the next AI; 10 and 21 are ended by the separator.
  EXPECT_EQ(Read("010950600013435217251231"
                 "3103000500"
                 "4103898765432108"
                 "10L1" +
                 GS + "21S1"),
            (Fields{{"01", "09506000134352"},
                    {"17", "251231"},
                    {"3103", "000500"},
                    {"410", "3898765432108"},
                    {"10", "L1"},
                    {"21", "S1"}}));
  // A leading separator (FNC1 in first position), a trailing one and a scanner's line end are no data.
  EXPECT_EQ(Read(GS +
                 "0109506000134352"
                 "10ABC123" +
                 GS + "17251231" + GS + "\r\n"),
            kLabel);
}

TEST(Gs1ElementString, DigitalLinkDetails) {
  // A site's own path before the key, other query parameters, escapes and a short GTIN.
  EXPECT_EQ(Read("https://brand.example.cn/shop/item/01/9506000134352/21/A%2FB%26C?3103=000123&linkType=gs1:pip#x"),
            (Fields{{"01", "09506000134352"}, {"21", "A/B&C"}, {"3103", "000123"}}));
  EXPECT_EQ(Read("http://id.example.org/00/106141412345678908"), (Fields{{"00", "106141412345678908"}}));
  EXPECT_EQ(Read("https://id.example.org/414/5412345000013/254/A1?420=100080"),
            (Fields{{"414", "5412345000013"}, {"254", "A1"}, {"420", "100080"}}));
}

TEST(Gs1ElementString, HriValuesMayHoldParenthesesThatStartNoAi) {
  EXPECT_EQ(Read("(01)09506000134352(10)A(B)C(21)(7)"),
            (Fields{{"01", "09506000134352"}, {"10", "A(B)C"}, {"21", "(7)"}}));
}

TEST(Gs1ElementString, RepeatedFieldWithTheSameValueIsKeptOnce) {
  EXPECT_EQ(Read("(01)09506000134352(10)L1(01)09506000134352"), (Fields{{"01", "09506000134352"}, {"10", "L1"}}));
}

TEST(Gs1ElementString, WritesEveryForm) {
  auto e = Gs1ElementString::Parse("(01)09506000134352(17)251231(10)ABC&123(3103)000500(21)S/1", kYear);
  EXPECT_EQ(e.ToHri(), "(01)09506000134352(17)251231(10)ABC&123(3103)000500(21)S/1");
  EXPECT_EQ(e.ToRaw(),
            "0109506000134352"
            "17251231"
            "10ABC&123" +
                GS +
                "3103000500"
                "21S/1");
  EXPECT_EQ(e.ToRaw("]d2"),
            "]d20109506000134352"
            "17251231"
            "10ABC&123" +
                GS +
                "3103000500"
                "21S/1");
  // Qualifiers in the path in the order 22, 10, 21; the rest in the query; escapes where needed.
  EXPECT_EQ(e.ToDigitalLink("https://example.com/"),
            "https://example.com/01/09506000134352/10/ABC%26123/21/S%2F1?17=251231&3103=000500");
  EXPECT_EQ(e.ToDigitalLink().rfind(Gs1ElementString::kDefaultLinkBase, 0), 0u);
}

TEST(Gs1ElementString, EveryFormRoundTrips) {
  const std::vector<std::string> labels = {
      "(01)09506000134352(10)ABC123(17)251231",
      "(01)09506000134352(22)V-1(10)%&'*+,-./:;<=>?_(21)aZ09!\"(11)250100(3105)123456(30)10(90)X",
      "(00)376104250021234569(02)06291041500213(37)1200(400)ORDER-1(410)3898765432108",
      "(414)5412345000013(254)A1(420)100080",
      "(01)09506000134352(10)AB(21)12(7003)2512312359",
  };
  for (const auto& label : labels) {
    const auto original = Gs1ElementString::Parse(label, kYear);
    const Fields fields = FieldsOf(original);
    EXPECT_EQ(Read(original.ToHri()), fields) << label;
    EXPECT_EQ(Read(original.ToRaw()), fields) << label;
    EXPECT_EQ(Read(original.ToRaw("]Q3")), fields) << label;
    // The link puts the key and its qualifiers first: the same fields, reordered.
    Fields linked = Read(original.ToDigitalLink());
    Fields sortedLinked = linked, sortedFields = fields;
    std::sort(sortedLinked.begin(), sortedLinked.end());
    std::sort(sortedFields.begin(), sortedFields.end());
    EXPECT_EQ(sortedLinked, sortedFields) << original.ToDigitalLink();
  }
}

TEST(Gs1ElementString, BuiltFieldByFieldAndReusedForTheNextLabel) {
  Gs1ElementString e;
  e.Add("01", "09506000134352");
  e.Add("10", "L-7");
  EXPECT_EQ(e.ToHri(), "(01)09506000134352(10)L-7");
  EXPECT_EQ(e.Find("10"), std::optional<std::string_view>("L-7"));
  EXPECT_FALSE(e.Find("21").has_value());
  e.Assign("(01)06291041500213", kYear);
  EXPECT_EQ(FieldsOf(e), (Fields{{"01", "06291041500213"}}));
  EXPECT_TRUE(e.symbologyIdentifier().empty());
}

TEST(Gs1ElementString, FormIsToldByItsFirstCharacters) {
  EXPECT_EQ(Gs1ElementString::FormOf(" (01)1"), Gs1Form::Hri);
  EXPECT_EQ(Gs1ElementString::FormOf("HTTPS://x/01/1"), Gs1Form::DigitalLink);
  EXPECT_EQ(Gs1ElementString::FormOf("]C1011"), Gs1Form::Raw);
}

TEST(Gs1AiTable, PrefixesFixTheDigitCountAndPredefinedFieldsHaveOneLength) {
  for (const Gs1Ai& ai : Gs1AiTable::All()) {
    EXPECT_EQ(Gs1AiTable::Find(ai.code), &ai) << ai.code;
    EXPECT_EQ(Gs1AiTable::CodeLength(ai.code[0], ai.code[1]), static_cast<int>(ai.code.size())) << ai.code;
    if (ai.predefinedLength()) {
      EXPECT_TRUE(ai.fixedLength()) << ai.code;
    }
    if (ai.check != Gs1Check::None) {
      EXPECT_EQ(ai.charset, Gs1Charset::Numeric) << ai.code;
    }
  }
  EXPECT_EQ(Gs1AiTable::Find("3106"), nullptr);
  EXPECT_EQ(Gs1AiTable::Find("1"), nullptr);
  EXPECT_EQ(Gs1AiTable::Find("0a"), nullptr);
  EXPECT_EQ(Gs1AiTable::CodeLength('8', '8'), 0);
  EXPECT_EQ(Gs1AiTable::Find("3102")->decimals, 2);
}

}  // namespace
