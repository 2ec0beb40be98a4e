#include "quillstone/platform/Variant.h"

#include <gtest/gtest.h>

#include "quillstone/platform/Collection.h"
#include "quillstone/platform/Error.h"
#include "quillstone/platform/Int16.h"
#include "support/CaughtError.h"

namespace quillstone {
namespace {

template <typename F>
int32_t NumberOf(F&& call) {
  return test::CaughtError(std::forward<F>(call)).number();
}

TEST(Variant, ConversionsAndTheirFailures) {
  EXPECT_TRUE(Variant().isEmpty());
  EXPECT_TRUE(Variant(Variant::Null).isNull());
  EXPECT_EQ(Variant(" 42 ").toInt32(), 42);
  EXPECT_EQ(Variant(2.5).toInt16(), 2);
  EXPECT_EQ(Variant(int64_t{9007199254740993}).toInt64(), 9007199254740993);
  EXPECT_EQ(Variant(int64_t{123}).toString(), "123");
  EXPECT_EQ(Variant(0.1).toString(), "0.1");
  EXPECT_EQ(Variant("1").toBool(), true);
  EXPECT_EQ(Variant("False").toBool(), false);
  EXPECT_EQ(Variant().toString(), "");
  EXPECT_EQ(NumberOf([] { Variant(Variant::Null).toString(); }), Error::kInvalidUseOfNull);
  EXPECT_EQ(NumberOf([] { Variant("abc").toDouble(); }), Error::kTypeMismatch);
  EXPECT_EQ(NumberOf([] { Variant(int32_t{40000}).toInt16(); }), Error::kOverflow);
  EXPECT_EQ(NumberOf([] { Variant("2003-02-30").toDate(); }), Error::kTypeMismatch);
}

TEST(Variant, EqualityIsTypeAndValue) {
  EXPECT_EQ(Variant("a"), Variant(std::string("a")));
  EXPECT_NE(Variant(int32_t{1}), Variant(int64_t{1}));
  EXPECT_NE(Variant(), Variant(Variant::Null));
}

TEST(Int16Arithmetic, RaisesOverflowInsteadOfWrapping) {
  EXPECT_EQ(Add16(32000, 767), 32767);
  EXPECT_EQ(NumberOf([] { Add16(32000, 768); }), Error::kOverflow);
  EXPECT_EQ(NumberOf([] { Sub16(-32768, 1); }), Error::kOverflow);
  EXPECT_EQ(NumberOf([] { ToInt16(40000); }), Error::kOverflow);
}

TEST(Collection, OneBasedKeyedAndOrdered) {
  Collection<int> c;
  c.Add(10);
  c.Add(20, "b");
  c.Add(30);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1), 10);
  EXPECT_EQ(c.Item("b"), 20);
  EXPECT_THROW(c.Item(0), Error);
  EXPECT_THROW(c.Item(4), Error);
  EXPECT_THROW(c.Item("zz"), Error);
  EXPECT_THROW(c.Add(1, "b"), Error);
  c.Remove(1);
  EXPECT_EQ(c.Item(1), 20);
  c.Remove("b");
  int sum = 0;
  for (int v : c) sum += v;
  EXPECT_EQ(sum, 30);
}

}  // namespace
}  // namespace quillstone
