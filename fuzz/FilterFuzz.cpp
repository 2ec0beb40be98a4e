// The list filter grammar on arbitrary text: it refuses with the library's error, or what it
// accepts, written back, reads again to the same tree and names only the statement's columns and
// the grammar's functions; an accepted filter runs as one condition on a real registry query.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzSystem.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/platform/Error.h"
#include "quillstone/server/FilterCondition.h"
#include "quillstone/server/FilterScope.h"
#include "src/quillstone/server/filter/FilterNode.h"
#include "src/quillstone/server/filter/FilterParser.h"

using namespace quillstone;

namespace {

const char* const kFunctions[] = {"lower", "upper", "trim", "ltrim", "rtrim", "length", "substr", "coalesce",
                                  "abs", "round", "replace"};

// Every name in the tree is a column of the registry scope or a function of the grammar.
bool NamesAllowed(const filter::FilterNode& node) {
  using Kind = filter::FilterNode::Kind;
  if (node.kind == Kind::Column &&
      (node.column == nullptr || FilterScope::Registry().Find(node.column->table, node.column->name) != node.column))
    return false;
  if (node.kind == Kind::Call) {
    bool known = false;
    for (const char* name : kFunctions) known = known || node.op == name;
    if (!known) return false;
  }
  for (const auto& arg : node.args)
    if (!NamesAllowed(*arg)) return false;
  return true;
}

std::size_t Marks(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += c == '?';
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Marks inside strings are text: try the count of all of them and fewer until one is accepted.
  std::size_t marks = Marks(text);
  for (;;) {
    try {
      const FilterCondition first(text, marks, FilterScope::Registry());
      if (first.empty()) return 0;
      const std::string written = first.Sql(Backend::Sqlite);
      const FilterCondition again(written, marks, FilterScope::Registry());
      if (again.Shape() != first.Shape()) std::abort();
      if (again.Sql(Backend::Sqlite) != written) std::abort();
      if (!NamesAllowed(*filter::FilterParser(written, FilterScope::Registry()).Parse())) std::abort();
      break;
    } catch (const Error&) {
      if (marks == 0) return 0;
      --marks;
    }
  }
  try {
    std::vector<Variant> values(marks, Variant("x"));
    quillstone::fuzz::DemoSystem().GetBarCodeManager()->ListInventoryBarCodeSets(text, values);
  } catch (const Error&) {
    // A condition the database cannot evaluate is reported as a failure of the filter.
  }
  return 0;
}
