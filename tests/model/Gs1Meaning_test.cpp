// One meaning per AI: the property a rule prints into a field is the property receiving reads
// back from it, and the preferred field wins whatever order a label lists its fields in.
#include <gtest/gtest.h>

#include "quillstone/gs1/Gs1ElementString.h"
#include "src/quillstone/model/Gs1Meaning.h"

using namespace quillstone;
using Property = Gs1Meaning::Property;

namespace {

// The property a rule's own source for an AI stands for.
Property PropertyOfSource(ItemSourceType source) {
  switch (source) {
    case ISTInventory:
      return Property::Item;
    case ISTBatch:
      return Property::Batch;
    case ISTMadeDate:
      return Property::MadeDate;
    case ISTDisableDate:
      return Property::DisableDate;
    default:
      return Property::None;
  }
}

TEST(Gs1Meaning, WhatARulePrintsIsWhatReceivingReadsBack) {
  for (const char* ai : {"00", "01", "02", "10", "11", "13", "15", "17", "21", "30", "37", "7003", "400"}) {
    const auto& row = Gs1Meaning::Of(ai);
    const Property printed = row.source ? PropertyOfSource(*row.source) : Property::None;
    // A field filled from an inventory property is read back into that property, or left as a field.
    if (printed != Property::None) {
      EXPECT_TRUE(row.receives == printed || row.receives == Property::None) << ai;
    }
    // Expiry-like dates take day 00 as the month's end; nothing else does.
    EXPECT_EQ(row.day00IsLast, row.receives == Property::DisableDate) << ai;
  }
  EXPECT_EQ(Gs1Meaning::Of("400").receives, Property::None);
  EXPECT_TRUE(Gs1Meaning::SourceFits(Gs1Meaning::Of("17"), ISTDisableDate, "yymmdd"));
  EXPECT_FALSE(Gs1Meaning::SourceFits(Gs1Meaning::Of("17"), ISTDisableDate, "yyyymmdd"));
  EXPECT_FALSE(Gs1Meaning::SourceFits(Gs1Meaning::Of("17"), ISTMadeDate, "yymmdd"));
  EXPECT_TRUE(Gs1Meaning::SourceFits(Gs1Meaning::Of("21"), ISTSequence, ""));
  EXPECT_FALSE(Gs1Meaning::SourceFits(Gs1Meaning::Of("10"), ISTSequence, ""));
  EXPECT_TRUE(Gs1Meaning::SourceFits(Gs1Meaning::Of("400"), ISTOther, ""));
}

TEST(Gs1Meaning, ThePreferredFieldWinsWhateverTheOrderOnTheLabel) {
  // Pairs unchecked: only the order of the fields matters here.
  const auto label = Gs1ElementString::Parse("(02)09506000134352(15)270101(37)12(7003)2612311200(10)L1", 0, false);
  const auto expiry = Gs1Meaning::Setting(label, Property::DisableDate);
  ASSERT_EQ(expiry.size(), 2u);
  EXPECT_EQ(expiry[0].row->ai, "7003");
  EXPECT_EQ(expiry[1].value, "270101");
  EXPECT_EQ(Gs1Meaning::Setting(label, Property::Item).front().value, "09506000134352");
  EXPECT_EQ(Gs1Meaning::Setting(label, Property::Batch).front().value, "L1");
  EXPECT_TRUE(Gs1Meaning::Setting(label, Property::MadeDate).empty());
}

}  // namespace
