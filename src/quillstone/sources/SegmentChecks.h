// Checks of a segment's value that several item sources make alike; each raises the library's
// failure with the wording its caller gives.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace quillstone {

class clsBarCodeItem;
class clsBarCodeRuleItem;
class clsInventoryInfo;
class HostUserVO;

// The three arguments of Encode, Verify and Decode; a missing one is a caller's fault that
// would otherwise end in a null dereference.
void RequireSegmentArguments(const std::shared_ptr<clsInventoryInfo>& invInfo,
                             const std::shared_ptr<clsBarCodeRuleItem>& ruleItem,
                             const std::shared_ptr<clsBarCodeItem>& barCodeItem);

// The rule item a segment's length is checked against: the segment's own, else the one passed.
const std::shared_ptr<clsBarCodeRuleItem>& GoverningRuleItem(const std::shared_ptr<clsBarCodeItem>& barCodeItem,
                                                             const std::shared_ptr<clsBarCodeRuleItem>& ruleItem);

// The date and shelf-life segments demand an item managed with a shelf life.
void CheckShelfLifeManaged(const std::shared_ptr<HostUserVO>& inv);

// Length of the value without surrounding blanks against `required`; the message quotes the
// length of the value as it is: prefix & required & ",实际长度为 " & that length.
void CheckTrimmedSegmentLength(const std::string& value, int16_t required, const std::string& prefix);

// Length of the value as it is against `required`:
// prefix & required & " ，实际长度 " & length.
void CheckSegmentLength(const std::string& value, int16_t required, const std::string& prefix);

// A GS1 field of variable length is 1 up to the item's length long, without surrounding blanks;
// prefix & "1-" & length & ",实际长度为 " & its length. Answers whether the item is such a field,
// whose length is then checked; other items are left to the fixed-length checks.
bool CheckVariableFieldLength(const std::string& value, const clsBarCodeRuleItem& item, const std::string& prefix);

// The length prefix of a segment named by `name` (a free item's display name).
std::string LengthPrefix(const std::string& name);

// Exact equality with the value the inventory info gives:
// prefix & expected & "'，但实际条码值为 '" & value & "'".
void CheckSegmentValue(const std::string& value, const std::string& expected, const std::string& prefix);

}  // namespace quillstone
