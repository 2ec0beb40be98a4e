// The failure a call raises, so a test can check its number, source and text in one place.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "quillstone/platform/Error.h"

namespace quillstone::test {

template <typename F>
Error CaughtError(F&& call) {
  try {
    std::forward<F>(call)();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "the call raised no failure";
  return Error(0, "", "");
}

}  // namespace quillstone::test
