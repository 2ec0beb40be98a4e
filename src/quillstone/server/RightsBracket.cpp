#include "src/quillstone/server/RightsBracket.h"

#include "quillstone/server/clsContext.h"
#include "quillstone/server/host/HostCommon.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

bool CheckRight(clsContext& context, const std::string& functionId, bool begin) {
  std::string id = functionId;
  return context.moLogin()->CheckRight(id, begin);
}

}  // namespace

void RunWithRight(clsContext& context, const std::string& functionId, const std::string& refusal,
                  const std::function<void()>& body, const std::function<void()>& release) {
  bool granted = false;
  TrapAndReraise(
      [&] {
        granted = CheckRight(context, functionId, true);
        Assert(granted, refusal);
        body();
      },
      [&] {
        if (granted) {
          try {
            CheckRight(context, functionId, false);  // its answer is not read
          } catch (...) {
            // Ending the task must not hide the outcome of the work.
          }
        }
        if (release) release();
      });
}

}  // namespace quillstone
