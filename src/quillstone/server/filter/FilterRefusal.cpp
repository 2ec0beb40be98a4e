#include "src/quillstone/server/filter/FilterRefusal.h"

#include "src/quillstone/server/TextGuard.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone::filter {

void Refuse(const std::string& filter, const std::string& why) {
  RaiseError("过滤条件'" + TextGuard::Echo(filter) + "'" + why);
}

void RefuseAt(const std::string& filter, std::size_t at, const std::string& why) {
  const std::size_t position = TextGuard::CharCount(filter.substr(0, at)) + 1;
  Refuse(filter, "在第" + std::to_string(position) + "个字符处" + why);
}

}  // namespace quillstone::filter
