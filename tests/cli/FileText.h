// Reading what the program wrote: a file's bytes as text, and how often a part occurs in it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quillstone::test {

// The whole file; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);
// Occurrences of `part` in `text`, overlapping ones included.
std::size_t CountOf(const std::string& text, const std::string& part);

}  // namespace quillstone::test
