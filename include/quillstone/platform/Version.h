// The library's version, as the build stamps it, for the command-line program and diagnostics.
#pragma once

#include <string>

namespace quillstone {

// "major.minor.patch" of the library that is linked in.
std::string Version();

}  // namespace quillstone
