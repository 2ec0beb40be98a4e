#include "demo/DemoReceiving.h"

#include <iostream>

#include "cli/Gs1Input.h"
#include "quillstone/labels/Gs1Symbol.h"
#include "quillstone/scanning/clsScanService.h"
#include "cli/RecordView.h"
#include "cli/Session.h"
#include "demo/DemoScript.h"
#include "demo/DemoWorkspace.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/DateTime.h"

namespace quillstone::cli {

bool DemoReceiving::Run(Session& session, const DemoWorkspace& workspace) {
  DemoScript::AddSupplierItem(session.Conn());
  const auto label = Gs1ElementString::Parse(DemoScript::SupplierLabel(Today()));
  const std::string png = (workspace.labels() / "supplier-gs1-128.png").string();
  Gs1Symbol::Render(label, Symbology::ForKind(Symbology::Kind::Gs1_128), png);

  const auto answers = clsScanService(session.Context()).IdentifyPictureFile(png);
  const bool read = !answers.empty() && answers.front().gs1;
  const clsScanService::Answer outcome = read ? answers.front() : clsScanService::Answer{};
  const bool received = read && outcome.ok() && outcome.invInfo &&
                        outcome.invInfo->inventoryId() == DemoScript::SupplierItem() &&
                        RecordView::Text(outcome.invInfo->batchNo()) == std::string(*label.Find("10"));
  if (session.json()) return received;

  std::cout << "  label " << label.ToHri() << "\n  printed as GS1-128: " << png << '\n';
  if (!read) {
    std::cout << "  no GS1 symbol was read back from the label\n";
    return false;
  }
  std::cout << "  scanned: " << outcome.symbologyIdentifier << " " << Gs1Input::Visible(outcome.scanned) << '\n';
  if (!outcome.ok()) {
    std::cout << "  not received: " << outcome.error << '\n';
    return false;
  }
  std::cout << "  received as item " << outcome.invInfo->inventoryId() << " " << outcome.invInfo->inventoryName()
            << " (master data keeps the GTIN-13 9506000134352):\n";
  RecordView::PropertyTable(*outcome.invInfo).Print(std::cout, 4);
  if (outcome.gs1) {
    std::cout << "  every AI on the label:\n";
    Gs1Input::ElementTable(*outcome.gs1).Print(std::cout, 4);
  }
  return received;
}

}  // namespace quillstone::cli
