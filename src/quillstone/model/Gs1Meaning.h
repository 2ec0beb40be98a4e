// What an application identifier means for inventory properties, in one table: where a GS1 rule
// takes the field's value from, and which property a received label's value sets. Rule checks and
// receiving both read it, so an AI means the same on a printed label and on a received one.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "quillstone/model/modTypeDefine.h"

namespace quillstone {

class Gs1ElementString;

class Gs1Meaning {
 public:
  enum class Property { None, Item, Batch, MadeDate, DisableDate };

  struct Row {
    std::string_view ai;
    // The item source that fills the field in a rule (a date one as yymmdd); nothing when no
    // source of its own does.
    std::optional<ItemSourceType> source;
    // A running number may fill it too (a serial, an SSCC's serial reference).
    bool sequenceFits;
    // The caller's value (other, free items) may fill it.
    bool callerFits;
    // Where a rule item that fits none of these is told to take the value from.
    const char* wanted;
    // What a received label's value sets; among rows setting one property the earlier wins.
    Property receives;
    // A date whose day 00 stands for the month's last day (an expiry), not its first.
    bool day00IsLast;
  };

  // The row of an AI; an AI of no inventory meaning gets the caller's value or a fixed one.
  static const Row& Of(std::string_view ai);
  // The rule item's source fits the AI's meaning.
  static bool SourceFits(const Row& row, ItemSourceType type, std::string_view relevantValue);
  // The fields of the data that set `property`, each with its row, in order of preference.
  struct Found {
    const Row* row;
    std::string_view value;
  };
  static std::vector<Found> Setting(const Gs1ElementString& elements, Property property);
};

}  // namespace quillstone
