// The rights bracket of every write: ask the host for the function right before the work and,
// when it was granted, end the rights task when the work ends, after success and failure alike.
#pragma once

#include <functional>
#include <string>

namespace quillstone {

class clsContext;

// Runs `body` inside the rights bracket of `functionId` and the closing step (TrapAndReraise):
// a refused right raises `refusal`; `release` runs after the bracket is closed.
void RunWithRight(clsContext& context, const std::string& functionId, const std::string& refusal,
                  const std::function<void()>& body, const std::function<void()>& release = {});

}  // namespace quillstone
