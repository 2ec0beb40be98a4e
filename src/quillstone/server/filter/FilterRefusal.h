// The one way a list filter is refused: the library's error, quoting the filter (shortened) and,
// where the fault has a place, the character it starts at.
#pragma once

#include <cstddef>
#include <string>

namespace quillstone::filter {

[[noreturn]] void Refuse(const std::string& filter, const std::string& why);
[[noreturn]] void RefuseAt(const std::string& filter, std::size_t at, const std::string& why);

}  // namespace quillstone::filter
