// The pairs GS1's dictionary declares among AIs: those that may not stand in the same data
// (ex=) and those an AI needs beside it (req=). Checked over a whole element string, once read.
#pragma once

namespace quillstone {

class Gs1ElementString;

class Gs1Associations {
 public:
  // Raises the first broken pair, naming both AIs (or the AI and what it needs).
  static void Check(const Gs1ElementString& elements);
};

}  // namespace quillstone
