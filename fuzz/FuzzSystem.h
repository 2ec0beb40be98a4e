// The setting the fuzz targets share: one service root started as "admin" over an in-memory
// database with the tables and the demo data, made on the first input and kept for the run.
#pragma once

#include <memory>
#include <string>

#include "quillstone/server/clsBarCodeSystem.h"

namespace quillstone::fuzz {

clsBarCodeSystem& DemoSystem();

}  // namespace quillstone::fuzz
