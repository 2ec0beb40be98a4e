// One symbology type a rule may use, as the rule manager lists them.
#pragma once

#include <cstdint>
#include <string>

namespace quillstone {

class clsBarCodeType {
 public:
  int16_t typeId() const { return typeId_; }
  void setTypeId(int16_t v) { typeId_ = v; }
  const std::string& typeName() const { return typeName_; }
  void setTypeName(std::string v) { typeName_ = std::move(v); }
  int16_t length() const { return length_; }
  void setLength(int16_t v) { length_ = v; }

 private:
  int16_t typeId_ = 0;
  std::string typeName_;
  int16_t length_ = 0;
};

}  // namespace quillstone
