// Sequence draws: a read and a conditional write of the rule item, each its own transaction.
#include "BenchSystem.h"
#include "quillstone/server/clsContext.h"
#include "quillstone/sources/clsSequenceManager.h"

namespace quillstone::bench {

void RegisterSequenceBenchmarks(BenchSystem& system) {
  RegisterOn(system, "sequences", "CreateSequenceNumber", [](benchmark::State& state, BenchSystem& sys) {
    Guarded(state, [&] {
      auto sequences = sys.sys().context()->objSequenceManager();
      TimeEach(state, [&] { return sequences->CreateSequenceNumber(kSequenceRuleId, kSequenceIndex); });
      state.SetItemsProcessed(state.iterations());
    });
  });
}

}  // namespace quillstone::bench
