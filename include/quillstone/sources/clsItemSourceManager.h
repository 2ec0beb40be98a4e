// Creates one item source per row of the item source type table at start and hands them out by
// item type.
#pragma once

#include <memory>

#include "quillstone/model/modTypeDefine.h"
#include "quillstone/platform/Collection.h"

namespace quillstone {

class clsContext;
class clsItemSource;
class Recordset;

class clsItemSourceManager {
 public:
  using SourceList = Collection<std::shared_ptr<clsItemSource>>;

  // The shared source of that type; "越界错误" for a type outside the table.
  std::shared_ptr<clsItemSource> GetItemSource(int32_t itemType) const;
  // A new collection of the same shared sources, in type order.
  std::shared_ptr<SourceList> ListItemSources() const;

  // Called by the service root.
  void AttachContext(const std::shared_ptr<clsContext>& context);
  void DetachContext();

 private:
  void LoadSources(const std::shared_ptr<clsContext>& context);
  std::shared_ptr<clsItemSource> CreateItemSource(const Recordset& row, const std::shared_ptr<clsContext>& context);

  std::shared_ptr<SourceList> sources_;
};

}  // namespace quillstone
