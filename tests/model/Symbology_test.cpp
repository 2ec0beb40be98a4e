// The one symbology type: every symbology found again by its names and by the identifier a
// reader reports for it, and what each can carry.
#include "quillstone/model/Symbology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsBarCodeType.h"
#include "quillstone/platform/Error.h"
#include "support/CaughtError.h"
#include "src/quillstone/rules/RuleInputChecks.h"

using namespace quillstone;

namespace {

using Kind = Symbology::Kind;

TEST(SymbologyTest, ReadersIdentifiersNameTheGs1Symbologies) {
  EXPECT_EQ(Symbology::ForIdentifier("]C1")->name(), "GS1-128");
  EXPECT_EQ(Symbology::ForIdentifier("]d2")->name(), "GS1 DataMatrix");
  EXPECT_EQ(Symbology::ForIdentifier("]Q3")->name(), "GS1 QR Code");
  EXPECT_EQ(Symbology::ForIdentifier("]Q1")->name(), "GS1 Digital Link QR Code");
  EXPECT_EQ(Symbology::ForIdentifier("]Q1")->kind(), Kind::DigitalLinkQr);
  EXPECT_FALSE(Symbology::ForIdentifier("]e0"));
  EXPECT_FALSE(Symbology::ForIdentifier(""));
}

TEST(SymbologyTest, EveryIdentifierRoundTrips) {
  for (const auto& s : Symbology::All()) {
    const auto found = Symbology::ForIdentifier(s.identifier());
    ASSERT_TRUE(found) << s.name();
    // A plain QR Code and a Digital Link are both read as ]Q1; the identifier names the link.
    if (s.kind() == Kind::QrCode)
      EXPECT_EQ(found->kind(), Kind::DigitalLinkQr);
    else
      EXPECT_EQ(*found, s) << s.name();
  }
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// The BarCodeType catalogue as a new database holds it.
std::vector<clsBarCodeType> Catalogue() {
  std::vector<clsBarCodeType> rows;
  int16_t id = 0;
  for (const char* name :
       {"Code 128", "EAN-13", "Code 39", "QR Code", "Data Matrix", "GS1-128", "GS1 DataMatrix", "GS1 QR Code"}) {
    clsBarCodeType row;
    row.setTypeId(++id);
    row.setTypeName(name);
    rows.push_back(row);
  }
  return rows;
}

TEST(SymbologyTest, EveryNameFindsItsSymbologyInAnyCaseAndSpacing) {
  for (const auto& s : Symbology::All()) {
    ASSERT_FALSE(s.names().empty());
    EXPECT_EQ(s.names().front(), s.name());
    for (const auto& name : s.names()) {
      EXPECT_EQ(Symbology::Named(name), s) << name;
      EXPECT_EQ(Symbology::Named(Upper(name)), s) << name;
      EXPECT_EQ(Symbology::Named(" " + name + " "), s) << name;
    }
  }
  EXPECT_EQ(Symbology::Named("gs1-128")->kind(), Kind::Gs1_128);
  EXPECT_EQ(Symbology::Named("GS1_DataMatrix")->kind(), Kind::Gs1DataMatrix);
  EXPECT_EQ(Symbology::Named("gs1-qr")->kind(), Kind::Gs1QrCode);
  EXPECT_EQ(Symbology::Named("gs1-link")->kind(), Kind::DigitalLinkQr);
  EXPECT_EQ(Symbology::Named("qr")->kind(), Kind::QrCode);
  EXPECT_FALSE(Symbology::Named("PDF417"));
  EXPECT_FALSE(Symbology::Named(""));
}

TEST(SymbologyTest, ARulesTypeNamesACatalogueSymbologyByNameOrTypeId) {
  const auto catalogue = Catalogue();
  for (const auto& row : catalogue) {
    const auto byName = Symbology::ForRuleType(row.typeName(), catalogue);
    EXPECT_EQ(byName.name(), row.typeName());
    EXPECT_EQ(Symbology::ForRuleType(std::to_string(row.typeId()), catalogue), byName);
    EXPECT_EQ(Symbology::ForRuleType(row.typeName()), byName);
    EXPECT_EQ(Symbology::CatalogueRow(std::to_string(row.typeId()), catalogue)->typeName(), row.typeName());
  }
  EXPECT_EQ(Symbology::ForRuleType("").kind(), Kind::Code128);
  EXPECT_EQ(Symbology::ForRuleType("qr").kind(), Kind::QrCode);
  EXPECT_EQ(Symbology::ForRuleType("ean13").kind(), Kind::Ean13);

  clsBarCodeRule rule;
  rule.setBarCodeType("7");
  EXPECT_EQ(Symbology::ForRule(rule, catalogue).kind(), Kind::Gs1DataMatrix);
  Collection<std::shared_ptr<clsBarCodeType>> listed;
  for (const auto& row : catalogue) listed.Add(std::make_shared<clsBarCodeType>(row));
  EXPECT_EQ(Symbology::ForRule(rule, listed).kind(), Kind::Gs1DataMatrix);
}

TEST(SymbologyTest, ARuleCannotNameWhatNoCatalogueRowIs) {
  // The label names are no rule types: stored rules keep the meaning they had.
  EXPECT_FALSE(Symbology::FindRuleType("gs1-link"));
  EXPECT_FALSE(Symbology::FindRuleType("GS1 Digital Link QR Code"));
  EXPECT_FALSE(Symbology::FindRuleType("gs1-qr"));
  EXPECT_FALSE(Symbology::FindRuleType("9", Catalogue()));
  EXPECT_EQ(test::FailureText([] { Symbology::ForRuleType("PDF417"); }, "Error"),
            "条码类型'PDF417'没有可打印的码制；请用 Code 128、EAN-13、Code 39、QR Code、Data Matrix、GS1-128、"
            "GS1 DataMatrix 或 GS1 QR Code");
}

TEST(SymbologyTest, RuleChecksReadTheSameType) {
  const auto catalogue = Catalogue();
  EXPECT_TRUE(RuleInputChecks::IsEan13("EAN-13", catalogue));
  EXPECT_TRUE(RuleInputChecks::IsEan13("2", catalogue));
  EXPECT_TRUE(RuleInputChecks::IsEan13("ean13", {}));
  EXPECT_FALSE(RuleInputChecks::IsEan13("Code 128", catalogue));
  for (const char* gs1 : {"GS1-128", "gs1 datamatrix", "GS1 QR Code", "6", "7", "8"})
    EXPECT_TRUE(RuleInputChecks::IsGs1(gs1, catalogue)) << gs1;
  for (const char* plain : {"", "Code 128", "QR Code", "4", "gs1-qr", "gs1-link"})
    EXPECT_FALSE(RuleInputChecks::IsGs1(plain, catalogue)) << plain;
}

TEST(SymbologyTest, Gs1LabelNamesTakeOnlyGs1Symbologies) {
  EXPECT_EQ(Symbology::ForGs1Name("gs1-128").kind(), Kind::Gs1_128);
  EXPECT_EQ(Symbology::ForGs1Name("gs1-datamatrix").kind(), Kind::Gs1DataMatrix);
  EXPECT_EQ(Symbology::ForGs1Name("gs1-qr").kind(), Kind::Gs1QrCode);
  EXPECT_EQ(Symbology::ForGs1Name("gs1-link").kind(), Kind::DigitalLinkQr);
  EXPECT_EQ(test::FailureText([] { Symbology::ForGs1Name("qr"); }, "Error"),
            "GS1条码类型'qr'不存在，可用 gs1-128、gs1-datamatrix、gs1-qr 或 gs1-link");
}

TEST(SymbologyTest, WhatEachSymbologyCanCarry) {
  const std::string gs1 = "(01)09506000134352(10)ABC123";
  EXPECT_NO_THROW(Symbology::ForKind(Kind::Gs1_128).CheckEncodable(gs1));
  EXPECT_NO_THROW(
      Symbology::ForKind(Kind::DigitalLinkQr).CheckEncodable("https://id.gs1.org/01/09506000134352/10/ABC123"));
  EXPECT_NO_THROW(Symbology::ForKind(Kind::Ean13).CheckEncodable("690123456789"));
  EXPECT_NO_THROW(Symbology::ForKind(Kind::QrCode).CheckEncodable("螺丝"));
  EXPECT_EQ(test::FailureText([] { Symbology::ForKind(Kind::Code39).CheckEncodable("abc"); }, "Error"),
            "Code 39 只能印数字、大写字母、空格和 - . $ / + %；'abc'含有其它字符");
  EXPECT_EQ(test::FailureText([] { Symbology::ForKind(Kind::Code128).CheckEncodable(""); }, "Error"), "空条码不能打印");
  const std::string tooLong = "(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST";
  EXPECT_NE(test::FailureText([&] { Symbology::ForKind(Kind::Gs1_128).CheckEncodable(tooLong); }, "Error")
                .find("GS1-128 条码最多容纳 48 个数据字符"),
            std::string::npos);
  EXPECT_NO_THROW(Symbology::ForKind(Kind::Gs1DataMatrix).CheckEncodable(tooLong));
  EXPECT_EQ(Symbology::ForKind(Kind::Ean13).RegistryCandidates("6901234567892"),
            (std::vector<std::string>{"6901234567892", "690123456789"}));
}

}  // namespace
