// The pairs GS1's dictionary declares among AIs: those that may not stand in the same data
// (ex=) and those an AI needs beside it (req=). Checked over a whole element string, once read.
#pragma once

#include <span>

namespace quillstone {

class Gs1ElementString;
struct Gs1Ai;

class Gs1Associations {
 public:
  // Raises the first broken pair, naming both AIs (or the AI and what it needs).
  static void Check(const Gs1ElementString& elements);
  // The same over the AIs a rule fills, before any value is known.
  static void Check(std::span<const Gs1Ai* const> ais);
};

}  // namespace quillstone
