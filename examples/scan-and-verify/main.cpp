// A receiving dock's check, as an ERP client program would make it: read every barcode in a
// label picture, tell what each is, and verify it against the document line being entered.
//
//   scan-and-verify DATABASE PICTURE [ITEM [BATCH]]
//
// DATABASE is a connection string (sqlite:PATH or postgresql://...); the user is admin. Exit
// status: 0 when every barcode was identified (and verified, when an item was given), 1 otherwise.
#include <iostream>
#include <memory>
#include <string>

#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Error.h"
#include "quillstone/scanning/clsScanService.h"
#include "quillstone/server/clsBarCodeSystem.h"
#include "quillstone/server/host/DbHostLogin.h"

namespace {

const char* KindName(quillstone::clsScanService::Kind kind) {
  switch (kind) {
    case quillstone::clsScanService::Kind::Registered:
      return "registered";
    case quillstone::clsScanService::Kind::SupplierLabel:
      return "supplier label";
    case quillstone::clsScanService::Kind::Unknown:
      return "unknown";
  }
  return "";
}

// The document line: its item and, when given, its batch. Empty when nothing is to be verified.
std::shared_ptr<quillstone::clsInventoryInfo> DocumentLine(int argc, char** argv) {
  if (argc < 4) return nullptr;
  auto line = std::make_shared<quillstone::clsInventoryInfo>();
  line->setInventoryId(argv[3]);
  if (argc > 4) line->setBatchNo(quillstone::Variant(std::string(argv[4])));
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: scan-and-verify DATABASE PICTURE [ITEM [BATCH]]\n";
    return 2;
  }
  try {
    auto system = std::make_shared<quillstone::clsBarCodeSystem>();
    std::shared_ptr<quillstone::HostLogin> login = quillstone::DbHostLogin::Create(argv[1], "admin", quillstone::Variant());
    system->InitSystem(login);
    quillstone::clsScanService scans(system->context());
    const auto document = DocumentLine(argc, argv);

    const auto answers = scans.IdentifyPictureFile(argv[2]);
    int failures = answers.empty() ? 1 : 0;
    for (const auto& answer : answers) {
      std::cout << answer.symbology << "  " << answer.barCode << "  " << KindName(answer.kind);
      if (answer.invInfo) std::cout << "  item " << answer.invInfo->inventoryId();
      std::string failure = answer.error;
      if (failure.empty() && document) {
        try {
          scans.Verify(answer, *document);
          std::cout << "  verified";
        } catch (const quillstone::Error& e) {
          failure = e.description();
        }
      }
      std::cout << '\n';
      if (!failure.empty()) {
        std::cout << "  refused: " << failure << '\n';
        ++failures;
      }
    }
    return failures == 0 ? 0 : 1;
  } catch (const quillstone::Error& e) {
    std::cerr << e.description() << '\n';
    return 1;
  }
}
