// Every form the library writes reads back as the same fields: a parenthesis inside a value is
// escaped in HRI, the separator never joins a value, and keys stored unescaped still read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gs1/Gs1Fields.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "src/quillstone/gs1/Gs1HriForm.h"
#include "quillstone/platform/Error.h"
#include "support/CaughtError.h"

using namespace quillstone;
using quillstone::test::FailureText;

namespace {

constexpr int kYear = 2026;
using Fields = quillstone::test::Gs1Fields;
using quillstone::test::FieldsOf;

Fields Read(const std::string& text) { return quillstone::test::ReadFields(text, kYear); }

// Values that look like the start of another field in one form or another.
const std::vector<std::string> kHostileValues = {
    "AB(21)12", "AB(17)270331", "(10)", "((21)", "A(B)C", "(99)X", "AB(1234)", "%2F", "A/B?C=D&E", "(", ")", "1(2",
};

TEST(Gs1OneMeaning, EveryFormReadsBackAsTheSameFields) {
  for (const std::string& batch : kHostileValues) {
    Gs1ElementString e;
    e.Add("01", "09506000134352");
    e.Add("10", batch);
    e.Add("21", "000002");
    e.CheckAssociations();
    const Fields fields = FieldsOf(e);
    EXPECT_EQ(Read(e.ToHri()), fields) << e.ToHri();
    EXPECT_EQ(Read(e.ToRaw("]C1")), fields) << batch;
    EXPECT_EQ(Read(e.ToDigitalLink()), fields) << e.ToDigitalLink();
    EXPECT_EQ(Read(Gs1HriForm::Write(e, Gs1HriForm::Escape::Ambiguous)), fields) << batch;
  }
}

TEST(Gs1OneMeaning, HriEscapesAParenthesisAsGs1WritesIt) {
  auto e = Gs1ElementString::Parse("010950600013435210AB(21)12\x1d" "21000002", kYear);
  EXPECT_EQ(e.ToHri(), "(01)09506000134352(10)AB\\(21)12(21)000002");
  EXPECT_EQ(Read("(01)09506000134352(10)A\\(B)C"), (Fields{{"01", "09506000134352"}, {"10", "A(B)C"}}));
  // The registry escapes only what would read as an AI, so keys stored before stay as they are.
  EXPECT_EQ(Gs1HriForm::Write(Gs1ElementString::Parse("(01)09506000134352(10)A(B)C", kYear),
                              Gs1HriForm::Escape::Ambiguous),
            "(01)09506000134352(10)A(B)C");
  EXPECT_EQ(Gs1HriForm::Write(e, Gs1HriForm::Escape::Ambiguous), "(01)09506000134352(10)AB\\(21)12(21)000002");
  // Unescaped, the same text is two serials: refused rather than read as another label.
  EXPECT_EQ(FailureText([&] { Gs1ElementString::Parse("(01)09506000134352(10)AB(21)12(21)000002", kYear); },
                        "Error"),
            "AI(21) SERIAL出现了两次且值不同：'12'和'000002'");
}

TEST(Gs1OneMeaning, TheSeparatorAndTheEscapeAreNoValueCharacters) {
  EXPECT_EQ(FailureText([&] { Gs1ElementString::Parse("(01)09506000134352(10)A\\B", kYear); }, "Error"),
            "AI(10) BATCH/LOT的值'A\\B'中的'\\'不在GS1的82个字符之内");
  EXPECT_EQ(FailureText([&] { Gs1ElementString::Parse("https://x.example/01/09506000134352/10/A%1DB", kYear); },
                        "Error"),
            "AI(10) BATCH/LOT的值'A<GS>B'中的'<GS>'不在GS1的82个字符之内");
}

TEST(Gs1OneMeaning, CutAndAlteredLabelsAreReadOrRefusedAndWhatIsReadWritesBackTheSame) {
  const std::vector<std::string> seeds = {
      "(01)09506000134352(10)AB\\(21)12(17)261231(3103)001250",
      "]d20109506000134352172612311" "0LOT\x1d" "21S1\x1d" "91https://x.example/p?q=(1)",
      "https://id.example.com/shop/01/09506000134352/22/V/10/B%2F1/21/S1?17=261231&3922=1250&30=2",
      "(00)106141412345678908(02)16291041500210(37)10(8008)26120814(7007)260101260131",
      "https://example.com/8004/9506000ASSET-7/7040/1A2B?8200=https%3A%2F%2Fx",
  };
  const std::string odd = std::string("/?%()\\\x1d=&#:") + std::string(1, '\0') + "\xff" "9";
  int read = 0;
  for (const std::string& seed : seeds) {
    std::vector<std::string> texts;
    for (std::size_t cut = 0; cut <= seed.size(); ++cut) texts.push_back(seed.substr(0, cut));
    for (std::size_t at = 0; at < seed.size(); ++at)
      for (char c : odd) texts.push_back(seed.substr(0, at) + c + seed.substr(at + 1));
    for (const std::string& text : texts) {
      Gs1ElementString e;
      try {
        e.Assign(text, kYear);
      } catch (const Error&) {
        continue;  // refused with the library's error: anything else fails the test
      }
      ++read;
      const Fields fields = FieldsOf(e);
      EXPECT_EQ(Read(e.ToHri()), fields) << text;
      EXPECT_EQ(Read(e.ToRaw()), fields) << text;
    }
  }
  EXPECT_GT(read, 100);
}

}  // namespace
