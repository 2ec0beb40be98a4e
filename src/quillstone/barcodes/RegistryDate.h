// The registry keeps its dates as text yyyy-MM-dd on every backend, so what is written, what is
// read back and what a document presents are compared in one form.
#pragma once

#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/Variant.h"

namespace quillstone::barcodes {

// A real day, given as a date value or as a text that names one, becomes its yyyy-MM-dd text;
// any other value is returned unchanged.
inline Variant RegistryDate(const Variant& value) {
  if (value.isDate()) return Variant(FormatIsoDate(value.toDate()));
  if (value.isText()) {
    if (auto day = ParseIsoDate(value.toString())) return Variant(FormatIsoDate(*day));
  }
  return value;
}

}  // namespace quillstone::barcodes
