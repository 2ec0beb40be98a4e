// Sequence numbers of rule items: shows the current value and draws the next one.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quillstone/platform/Variant.h"

namespace quillstone {

class Connection;
class clsContext;
class clsSequence;

class clsSequenceManager {
 public:
  // Nothing when the rule has no sequence item at that index.
  std::shared_ptr<clsSequence> LoadSequence(const std::string& ruleId, int16_t index);
  // Hands out the record's current value and advances the record (not the database).
  std::string GetSequenceNumber(std::shared_ptr<clsSequence>& sequence);
  // Draws a number: hands out the stored value and stores the next one, atomically.
  std::string CreateSequenceNumber(const std::string& ruleId, int16_t index);
  // Draws `count` successive numbers at once, in order; the stored value advances by `count`.
  std::vector<std::string> CreateSequenceNumbers(const std::string& ruleId, int16_t index, int count);
  std::shared_ptr<clsSequence> CreateSequence(int16_t ruleId, int16_t index, int16_t length, const std::string& name,
                                              const std::string& initValue);
  void SaveSequence(const std::shared_ptr<clsSequence>& seq);
  void RemoveSequence(int16_t ruleId, int16_t index);

  // Called by the service root.
  void AttachContext(const std::shared_ptr<clsContext>& context);
  void DetachContext();

 private:
  // A loaded sequence together with the column value exactly as stored (before trimming), which
  // a draw compares against when it writes back.
  struct StoredSequence {
    std::shared_ptr<clsSequence> sequence;
    Variant stored;
  };

  // The one-statement draw of `count` numbers; nothing when the stored value is not a plain
  // number of its width with `count` numbers left (the draw by compare then decides).
  std::optional<std::vector<std::string>> DrawInPlace(const std::string& ruleId, int16_t index, int count);
  // Reads, computes the next value, and writes it only over the value read, again on conflict.
  std::string DrawByCompare(const std::string& ruleId, int16_t index);
  StoredSequence ReadSequence(const std::string& ruleId, int16_t index);
  std::shared_ptr<Connection> Conn() const;

  std::weak_ptr<clsContext> context_;
};

}  // namespace quillstone
