// The failure a call raises, so a test can check its number, source and text in one place.
#pragma once

#include <gtest/gtest.h>

#include <string>
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

// `e` is the library's own failure with that source ("Assert" or "Error") and description.
inline void ExpectRaised(const Error& e, const std::string& source, const std::string& description) {
  EXPECT_EQ(e.number(), Error::kLibraryNumber) << e.description();
  EXPECT_EQ(e.source(), source) << e.description();
  EXPECT_EQ(e.description(), description);
}

// The description of the library failure `call` raises, after checking its number and source.
template <typename F>
std::string FailureText(F&& call, const std::string& source = "Assert") {
  Error e = CaughtError(std::forward<F>(call));
  EXPECT_EQ(e.number(), Error::kLibraryNumber) << e.description();
  EXPECT_EQ(e.source(), source) << e.description();
  return e.description();
}

}  // namespace quillstone::test
