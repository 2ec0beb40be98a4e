#include "src/quillstone/sources/GtinLookup.h"

#include <algorithm>
#include <vector>

#include "src/quillstone/model/Gs1BarCodeText.h"
#include "src/quillstone/server/FieldText.h"
#include "quillstone/platform/ClientRecordset.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/server/modFunctionDefine.h"

namespace quillstone {

std::shared_ptr<Recordset> GtinLookup::Item(Connection& conn, std::string_view gtin14, const std::string& visible) {
  std::string sql =
      "select Inventory.*, InventoryClass.cInvCName from Inventory left join InventoryClass on "
      "(Inventory.cInvCCode = InventoryClass.cInvCCode) where Inventory.cBarCode in (?, ?, ?, ?)";
  if (!visible.empty()) sql += " and " + visible;
  sql += " order by Inventory.cInvCode";
  const std::vector<std::string> forms = Gs1BarCodeText::GtinForms(std::string(gtin14));
  std::vector<Variant> params;
  for (std::size_t i = 0; i < 4; ++i) params.emplace_back(forms[std::min(i, forms.size() - 1)]);
  auto rows = ClientRecordset::ReadAll(*conn.Query(sql, params));
  if (rows->RecordCount() > 1) {
    const std::string first = FieldText(*rows, "cInvCode");
    rows->MoveNext();
    RaiseError("存货'" + first + "'和'" + FieldText(*rows, "cInvCode") + "'的条码都是GTIN'" + std::string(gtin14) +
               "'，无法确定是哪个存货");
  }
  return rows;
}

}  // namespace quillstone
