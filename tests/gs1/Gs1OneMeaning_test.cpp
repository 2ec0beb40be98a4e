// Every form the library writes reads back as the same fields: a parenthesis inside a value is
// escaped in HRI, the separator never joins a value, and keys stored unescaped still read.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "gs1/Gs1Fields.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/gs1/Gs1HriForm.h"
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

}  // namespace
