#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "quillstone/model/clsBarCodeItem.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/server/modFunctionDefine.h"
#include "src/quillstone/sources/clsSequence.h"
#include "src/quillstone/sources/clsSequenceItemSource.h"
#include "quillstone/sources/clsSequenceManager.h"
#include "sources/SegmentFrame.h"
#include "support/CaughtError.h"
#include "support/SystemTest.h"

using namespace quillstone;
using quillstone::test::CaughtError;
using quillstone::test::ExpectRaised;

namespace {

std::shared_ptr<clsSequence> Sequence(const std::string& length, Variant curValue) {
  auto seq = std::make_shared<clsSequence>();
  seq->setLength(length);
  seq->setCurValue(std::move(curValue));
  return seq;
}

}  // namespace

// The record-only part of a draw needs no database.
TEST(SequenceNumber, HandsOutTheValueAndAdvancesTheRecordExactly) {
  clsSequenceManager manager;
  struct Case {
    std::string length;
    Variant value;
    std::string handedOut;
    std::string next;
  };
  const Case cases[] = {
      {"4", Variant("0041"), "0041", "0042"},
      // The last number of the width is handed out; what follows it is kept whole, not cut to 0000.
      {"4", Variant("9999"), "9999", "10000"},
      {"3", Variant("7"), "007", "008"},
      // Past 2^53 a double would lose the last digit; the increment must not.
      {"17", Variant("10000000000000001"), "10000000000000001", "10000000000000002"},
      {"18", Variant("123456789012345677"), "123456789012345677", "123456789012345678"},
      // More digits than the width but a value that fits: the cut keeps the rightmost digits.
      {"4", Variant("00041"), "0041", "0042"},
      {"4", Variant(), "0000", "0001"},
      {"4", Variant(int32_t{41}), "0041", "0042"},
      {"4", Variant("1E3"), "01E3", "1001"},
      // Text the host's decimal conversion accepts keeps its sign and fraction through the increment.
      {"6", Variant("-12"), "000-12", "000-11"},
      {"4", Variant("-0.25"), "0.25", "0.75"},
      {"6", Variant("41.50"), "041.50", "0042.5"},
  };
  for (const auto& c : cases) {
    auto seq = Sequence(c.length, c.value);
    EXPECT_EQ(manager.GetSequenceNumber(seq), c.handedOut) << c.value.toString();
    EXPECT_EQ(seq->curValue().toString(), c.next) << c.value.toString();
  }
}

TEST(SequenceNumber, OverflowLeavesTheRecordAsItWas) {
  clsSequenceManager manager;
  // Eighteen nines round up to 10^18 as a double and so count as past the width.
  for (const auto& c :
       {std::pair<std::string, std::string>{"4", "10000"}, {"18", "999999999999999999"}, {"4", "1E5"}}) {
    auto seq = Sequence(c.first, Variant(c.second));
    ExpectRaised(CaughtError([&] { manager.GetSequenceNumber(seq); }), "Error", "流水号溢出.");
    EXPECT_EQ(seq->curValue().toString(), c.second);
  }
}

TEST(SequenceNumber, NonNumericValuesFailWithoutAdvancing) {
  clsSequenceManager manager;
  auto text = Sequence("4", Variant("00A1"));
  EXPECT_EQ(CaughtError([&] { manager.GetSequenceNumber(text); }).number(), Error::kTypeMismatch);
  EXPECT_EQ(text->curValue().toString(), "00A1");
  auto blank = Sequence("4", Variant(""));
  EXPECT_EQ(CaughtError([&] { manager.GetSequenceNumber(blank); }).number(), Error::kTypeMismatch);
  auto null = Sequence("4", Variant(Variant::Null));
  EXPECT_EQ(CaughtError([&] { manager.GetSequenceNumber(null); }).number(), Error::kInvalidUseOfNull);
  std::shared_ptr<clsSequence> none;
  EXPECT_EQ(CaughtError([&] { manager.GetSequenceNumber(none); }).source(), "Error");
}

TEST(SequenceNumber, CreateAndRemoveAreNotProvided) {
  clsSequenceManager manager;
  ExpectRaised(CaughtError([&] { manager.CreateSequence(1, 1, 4, "n", "0001"); }), "Error",
               "This method have not implemented");
  ExpectRaised(CaughtError([&] { manager.RemoveSequence(1, 1); }), "Error", "This method have not implemented");
}

TEST(SequenceNumber, ManagerWithoutContextRefusesDatabaseWork) {
  clsSequenceManager manager;
  EXPECT_EQ(CaughtError([&] { manager.LoadSequence("R", 1); }).source(), "Assert");
  EXPECT_EQ(CaughtError([&] { manager.CreateSequenceNumber("R", 1); }).source(), "Assert");
}

class SequenceTest : public SystemTest {
 protected:
  void AddRule(const std::string& ruleId, int16_t length) {
    conn->Execute("insert into BarCodeRule (ruleId, ruleName, length, barcodeType, description) values (?, ?, ?, ?, ?)",
                  {Variant(ruleId), Variant(ruleId), Variant(length), Variant("1"), Variant("")});
  }
  void AddItem(const std::string& ruleId, int16_t index, int16_t length, const std::string& value,
               int32_t type = ISTSequence) {
    conn->Execute(
        "insert into BarCodeRuleItem (ruleId, \"index\", length, itemSourceType, relevantValue) values (?, ?, ?, ?, ?)",
        {Variant(ruleId), Variant(index), Variant(length), Variant(type), Variant(value)});
  }
  // A rule SEQ with a fixed item 1 and the sequence item 2 of the given width and stored value.
  void AddSequenceRule(int16_t width, const std::string& value) {
    AddRule("SEQ", 20);
    AddItem("SEQ", 1, 2, "AB", ISTFixed);
    AddItem("SEQ", 2, width, value);
  }
  std::string Stored(const std::string& ruleId = "SEQ", int16_t index = 2) {
    auto rows =
        conn->Query("select relevantValue from BarCodeRuleItem where ruleId = ? and \"index\" = ?", {ruleId, index});
    return rows->IsEOF() ? "(no row)" : NullToStr(rows->Field("relevantValue"));
  }
  std::shared_ptr<clsSequenceManager> Manager() { return context()->objSequenceManager(); }
};

TEST_P(SequenceTest, DrawHandsOutTheStoredValueAndStoresTheNext) {
  AddSequenceRule(4, "0041");
  auto seq = Manager()->LoadSequence("SEQ", 2);
  EXPECT_EQ(Manager()->GetSequenceNumber(seq), "0041");
  EXPECT_EQ(Stored(), "0041");

  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0041");
  EXPECT_EQ(Stored(), "0042");
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0042");
  EXPECT_EQ(Stored(), "0043");
}

TEST_P(SequenceTest, DrawsKeepTheWidth) {
  struct Case {
    int16_t width;
    std::string stored, handedOut, next;
  };
  const Case cases[] = {
      {4, "9999", "9999", "10000"},  // so the next draw overflows instead of handing out 0000 again
      {3, "7", "007", "008"},
      {17, "10000000000000001", "10000000000000001", "10000000000000002"},
  };
  int16_t index = 1;
  AddRule("W", 40);
  for (const auto& c : cases) {
    AddItem("W", index, c.width, c.stored);
    EXPECT_EQ(Manager()->CreateSequenceNumber("W", index), c.handedOut);
    EXPECT_EQ(Stored("W", index), c.next);
    ++index;
  }
}

TEST_P(SequenceTest, OverflowStoresNothing) {
  AddRule("W", 40);
  AddItem("W", 1, 4, "10000");
  AddItem("W", 2, 18, "999999999999999999");
  for (int16_t index : {1, 2}) {
    std::string before = Stored("W", index);
    ExpectRaised(CaughtError([&] { Manager()->CreateSequenceNumber("W", index); }), "Error", "流水号溢出.");
    EXPECT_EQ(Stored("W", index), before);
  }
}

TEST_P(SequenceTest, NonNumericValueIsNotHandedOut) {
  AddSequenceRule(4, "00A1");
  EXPECT_EQ(CaughtError([&] { Manager()->CreateSequenceNumber("SEQ", 2); }).number(), Error::kTypeMismatch);
  EXPECT_EQ(Stored(), "00A1");
}

TEST_P(SequenceTest, OnlySequenceItemsAreLoaded) {
  AddSequenceRule(4, " 0041 ");
  auto seq = Manager()->LoadSequence("SEQ", 2);
  ASSERT_NE(seq, nullptr);
  EXPECT_EQ(seq->ruleId(), "SEQ");
  EXPECT_EQ(seq->index(), 2);
  EXPECT_EQ(seq->length(), "4");
  EXPECT_EQ(seq->curValue().toString(), "0041");
  EXPECT_EQ(seq->sequenceName(), "");

  EXPECT_EQ(Manager()->LoadSequence("SEQ", 1), nullptr);  // the fixed item
  EXPECT_EQ(Manager()->LoadSequence("SEQ", 3), nullptr);
  EXPECT_EQ(Manager()->LoadSequence("NONE", 2), nullptr);
  std::string fixed = Stored("SEQ", 1);
  EXPECT_EQ(CaughtError([&] { Manager()->CreateSequenceNumber("SEQ", 1); }).source(), "Error");
  EXPECT_EQ(Stored("SEQ", 1), fixed);
}

// The draw writes back over the value exactly as stored, blanks included, and stores the
// advanced value without them.
TEST_P(SequenceTest, DrawOverAValueStoredWithBlanks) {
  AddSequenceRule(4, " 0041 ");
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0041");
  EXPECT_EQ(Stored(), "0042");
}

TEST_P(SequenceTest, SaveWritesTheRecordUnconditionally) {
  AddSequenceRule(4, "0041");
  auto seq = Manager()->LoadSequence("SEQ", 2);
  seq->setCurValue(Variant("0100"));
  Manager()->SaveSequence(seq);
  EXPECT_EQ(Stored(), "0100");
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0100");
}

// A caller's transaction (registration runs in one) carries the draw: no nested BEGIN, and a
// rollback takes the draw back.
TEST_P(SequenceTest, DrawInsideTheCallersTransaction) {
  AddSequenceRule(4, "0041");
  conn->BeginTrans();
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0041");
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0042");
  conn->RollbackTrans();
  EXPECT_EQ(Stored(), "0041");

  conn->BeginTrans();
  EXPECT_EQ(Manager()->CreateSequenceNumber("SEQ", 2), "0041");
  conn->CommitTrans();
  EXPECT_EQ(Stored(), "0042");
}

class SequenceItemSourceTest : public SequenceTest {
 protected:
  void SetUp() override {
    SequenceTest::SetUp();
    if (HasFatalFailure()) return;
    source = std::dynamic_pointer_cast<clsSequenceItemSource>(Source(ISTSequence));
    ASSERT_NE(source, nullptr);
    frame.rule->setRuleId("SEQ");
  }
  // The frame's item as item `index` of rule SEQ.
  void Shape(int16_t length, const std::string& relevantValue, int16_t index = 2) {
    frame.item->setLength(length);
    frame.item->setRelevantValue(relevantValue);
    frame.item->setIndex(index);
  }
  std::shared_ptr<clsBarCodeItem> Segment(const std::string& value) {
    frame.segment->setValue(value);
    return frame.segment;
  }

  std::shared_ptr<clsSequenceItemSource> source;
  quillstone::test::SegmentFrame frame = quillstone::test::MakeSegmentFrame(ISTSequence, 4, "0001", 20);
  const std::shared_ptr<clsBarCodeRuleItem>& item = frame.item;
  const std::shared_ptr<clsBarCodeRule>& rule = frame.rule;
  std::shared_ptr<clsInventoryInfo>& info = frame.info;
};

TEST_P(SequenceItemSourceTest, EncodeShowsTheCurrentNumberWithoutDrawingIt) {
  AddSequenceRule(4, "0041");
  Shape(4, "0001");
  for (const std::string blank : {"", "   "}) {
    auto segment = Segment(blank);
    source->Encode(info, item, segment);
    EXPECT_EQ(segment->value(), "0041");
  }
  EXPECT_EQ(Stored(), "0041");

  auto given = Segment("0777");
  source->Encode(info, item, given);
  EXPECT_EQ(given->value(), "0777");
  EXPECT_EQ(Stored(), "0041");
}

TEST_P(SequenceItemSourceTest, EncodeWithoutASequenceRowLeavesTheSegmentBlank) {
  AddSequenceRule(4, "0041");
  Shape(4, "0001", 3);
  auto segment = Segment("");
  EXPECT_EQ(CaughtError([&] { source->Encode(info, item, segment); }).number(), Error::kLibraryNumber);
  EXPECT_EQ(segment->value(), "");
}

TEST_P(SequenceItemSourceTest, VerifyComparesTheTrimmedLength) {
  Shape(4, "0001");
  EXPECT_TRUE(source->Verify(info, Segment(" 0042 "), item));
  ExpectRaised(CaughtError([&] { source->Verify(info, Segment(" 042"), item); }), "Error",
               "流水项的条码长度与条码规则中规定的长度不一致，要求长度 4 ，实际长度 4");
  ExpectRaised(CaughtError([&] { source->Verify(info, Segment("00042"), item); }), "Error",
               "流水项的条码长度与条码规则中规定的长度不一致，要求长度 4 ，实际长度 5");
}

TEST_P(SequenceItemSourceTest, VerifyRuleItemChecksWidthAndStartValue) {
  const std::string widthMessage = "条码规则项长度必须大于0且小于等于18";
  Shape(19, std::string(19, '0'));
  ExpectRaised(CaughtError([&] { source->VerifyRuleItem(item); }), "Assert", widthMessage);
  Shape(0, "");
  ExpectRaised(CaughtError([&] { source->VerifyRuleItem(item); }), "Assert", widthMessage);

  Shape(18, std::string(18, '0'));
  EXPECT_TRUE(source->VerifyRuleItem(item));

  Shape(5, "001");
  ExpectRaised(CaughtError([&] { source->VerifyRuleItem(item); }), "Assert",
               "流水项的相关值是流水项的当前起始值，其长度必须等于流水项定义的长度");

  rule->setLength(10);
  Shape(12, std::string(12, '0'));
  ExpectRaised(CaughtError([&] { source->VerifyRuleItem(item); }), "Assert", "条码规则项长度不能大于条码总长度");
}

QS_INSTANTIATE_BACKENDS(SequenceTest);
QS_INSTANTIATE_BACKENDS(SequenceItemSourceTest);
