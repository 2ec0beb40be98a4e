#include "quillstone/server/FilterCondition.h"

#include "src/quillstone/server/TextGuard.h"
#include "src/quillstone/server/filter/FilterNode.h"
#include "src/quillstone/server/filter/FilterParser.h"
#include "src/quillstone/server/filter/FilterRefusal.h"
#include "src/quillstone/server/filter/FilterWriter.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {
namespace {

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\n\r\f\v") == std::string::npos;
}

}  // namespace

FilterCondition::FilterCondition(const std::string& filter, std::size_t parameters, const FilterScope& scope)
    : text_(filter) {
  TextGuard::RequireStorable(filter, "过滤条件");
  if (filter.size() > kMaxLength) {
    RaiseError("过滤条件太长：" + std::to_string(filter.size()) + "字节，最多" + std::to_string(kMaxLength) + "字节");
  }
  if (IsBlank(filter)) {
    if (parameters != 0) filter::Refuse(filter, "是空的，却给出了" + std::to_string(parameters) + "个参数值");
    return;
  }
  filter::FilterParser parser(filter, scope);
  tree_ = parser.Parse();
  if (parser.marks() != parameters) {
    filter::Refuse(filter, "中有" + std::to_string(parser.marks()) + "个参数标记'?'，但给出了" +
                               std::to_string(parameters) + "个参数值");
  }
  const uint64_t bytes = filter::FilterWriter::LargestText(*tree_);
  if (bytes > filter::FilterWriter::kMaxTextBytes) {
    filter::Refuse(filter, "可能产生长达" + std::to_string(bytes) + "字节的文本，最多" +
                               std::to_string(filter::FilterWriter::kMaxTextBytes) + "字节");
  }
}

FilterCondition::~FilterCondition() = default;
FilterCondition::FilterCondition(FilterCondition&&) noexcept = default;
FilterCondition& FilterCondition::operator=(FilterCondition&&) noexcept = default;

std::string FilterCondition::Sql(Backend backend, const std::string& guard) const {
  if (tree_ == nullptr) return "";
  return filter::FilterWriter(backend, guard).Write(*tree_);
}

std::string FilterCondition::Shape() const { return tree_ == nullptr ? "" : tree_->Shape(); }

void FilterCondition::RequireOneCondition(const std::string& filter) {
  FilterCondition(filter, 0, FilterScope::AnyColumn());
}

}  // namespace quillstone
