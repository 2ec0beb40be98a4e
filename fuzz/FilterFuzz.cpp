// The list filter check on arbitrary text: it refuses with the library's error or returns a
// condition that passes the check again unchanged, and a condition it accepts runs as one
// condition on a real registry query without ending the statement.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSystem.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/FilterCondition.h"

using namespace quillstone;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string checked;
  try {
    checked = FilterCondition::Checked(text, 0, FilterCondition::RegistryOwners());
  } catch (const Error&) {
    return 0;
  }
  if (FilterCondition::Checked(checked, 0, FilterCondition::RegistryOwners()) != checked) std::abort();
  try {
    quillstone::fuzz::DemoSystem().GetBarCodeManager()->ListInventoryBarCodeSets(text);
  } catch (const Error&) {
    // A condition the database cannot read is refused with its message; that is not a fault.
  }
  return 0;
}
