#!/usr/bin/env bash
# Builds the library and the command-line program (Release) and runs the demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQS_SANITIZE=OFF -DQS_BUILD_TESTS=OFF
cmake --build build -j2

if [[ -x build/tools/quillstone ]]; then
  # The demo's database and labels go to build/demo, out of the source tree.
  exec build/tools/quillstone demo --dir build/demo
fi

# No program yet: report the version of the library that was built.
cat >build/version.cpp <<'CPP'
#include <iostream>
#include "quillstone/platform/Version.h"
int main() { std::cout << "Quillstone " << quillstone::Version() << '\n'; }
CPP
c++ -std=c++20 -Iinclude build/version.cpp build/libquillstone.a $(pkg-config --libs sqlite3 libpq) -o build/quillstone-version
build/quillstone-version
