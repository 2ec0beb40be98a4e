#include "commands/DemoCommand.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "cli/DatabaseSetup.h"
#include "cli/Gs1Input.h"
#include "quillstone/scanning/ImageScanner.h"
#include "cli/JsonOutput.h"
#include "quillstone/labels/Label.h"
#include "quillstone/labels/LabelSheet.h"
#include "cli/LabelSheetOptions.h"
#include "quillstone/labels/LabelSize.h"
#include "quillstone/labels/LabelWriter.h"
#include "cli/RecordView.h"
#include "cli/Registrar.h"
#include "cli/RuleJson.h"
#include "cli/ScanReport.h"
#include "cli/Session.h"
#include "quillstone/model/Symbology.h"
#include "cli/TablePrinter.h"
#include "demo/DemoReceiving.h"
#include "demo/DemoScript.h"
#include "demo/DemoWorkspace.h"
#include "quillstone/barcodes/clsBarCodeManager.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/model/clsBarCodeRule.h"
#include "quillstone/model/clsInventoryAssign.h"
#include "quillstone/model/clsInventoryBarCodeSet.h"
#include "quillstone/model/clsInventoryClassAssign.h"
#include "quillstone/model/clsInventoryInfo.h"
#include "quillstone/platform/Connection.h"
#include "quillstone/platform/DateTime.h"
#include "quillstone/platform/Error.h"
#include "quillstone/rules/clsRuleManager.h"

namespace quillstone::cli {
namespace {

const char* Mark(bool ok) { return ok ? "ok" : "FAILED"; }

// A label file name made of the barcode's safe characters.
std::string FileNameFor(const std::string& barCode) {
  std::string name;
  for (unsigned char c : barCode) name += std::isalnum(c) || c == '-' || c == '.' ? static_cast<char>(c) : '_';
  return name;
}

}  // namespace

void DemoCommand::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "demo", "Run the whole library once in a fresh folder and summarise");
  app_->add_option("--dir", dir_, "Folder to work in (made if missing)")->capture_default_str();
}

void DemoCommand::Section(Session& session, const std::string& title) {
  if (session.json()) return;
  std::cout << '\n' << ++section_ << ". " << title << '\n';
}

int DemoCommand::Run(Session& session) {
  DemoWorkspace workspace(dir_);
  workspace.Prepare();
  if (!session.options().dbGiven) session.setDb(workspace.sqliteConnection());
  if (!session.json()) std::cout << "Quillstone demo in " << workspace.dir().string() << '\n';

  CreateDatabase(session);
  DefineRules(session);
  Assign(session);
  Register(session);
  PrintLabels(session, workspace);
  ScanBack(session);
  Maintain(session);
  Section(session, "Receiving a supplier's GS1 label");
  const bool received = DemoReceiving::Run(session, workspace);
  const int summary = Summarise(session, workspace);
  return received ? summary : 1;
}

void DemoCommand::CreateDatabase(Session& session) {
  Section(session, "Database");
  auto conn = session.OpenConnection(false);
  DatabaseSetup::Create(*conn, true);
  DemoScript::AddDatedItem(*conn);
  DemoScript::AddGs1Item(*conn);
  conn->Close();
  if (session.json()) return;
  std::cout << "  " << session.DbLabel() << ": tables created, demo data set loaded, and items "
            << DemoScript::DatedItem() << " 草莓酸奶 (batches, 30-day shelf life, free item 3 产地) and "
            << DemoScript::Gs1Item() << " 有机纯牛奶 (GTIN-13 6920000000012, batches, 30-day shelf life) added\n"
            << "  working as user " << session.options().user << " on login date " << session.LoginDateText() << '\n';
}

void DemoCommand::DefineRules(Session& session) {
  Section(session, "Rules");
  TablePrinter table({"rule", "name", "type", "length", "content"});
  table.AlignRight(3);
  for (const auto& doc : DemoScript::Rules()) {
    session.Rules().CreateRule(RuleJson::FromJson(doc));
    auto rule = session.Rules().LoadRule(doc["ruleId"].get<std::string>());
    table.AddRow(
        {rule->ruleId(), rule->ruleName(), rule->barCodeType(), std::to_string(rule->length()), rule->RuleContent()});
  }
  if (!session.json()) table.Print(std::cout, 2);
}

void DemoCommand::Assign(Session& session) {
  Section(session, "Assignments");
  for (const auto& a : DemoScript::Assignments()) {
    std::shared_ptr<clsRuleAssign> assign;
    if (a.toItem) {
      auto item = std::make_shared<clsInventoryAssign>();
      item->setInventoryId(a.target);
      assign = item;
    } else {
      auto cls = std::make_shared<clsInventoryClassAssign>();
      cls->setInvClassId(a.target);
      assign = cls;
    }
    assign->setRuleId(a.ruleId);
    session.Rules().CreateAssign(assign);
  }
  TablePrinter table({"assignment", "kind", "code", "name", "rule"});
  const auto assigns = session.Rules().ListAssigns();
  for (const auto& a : *assigns)
    table.AddRow({a->assignId(), RecordView::AssignKind(*a), RecordView::AssignTarget(*a),
                  RecordView::AssignTargetName(*a), a->ruleId()});
  if (!session.json()) table.Print(std::cout, 2);
}

void DemoCommand::Register(Session& session) {
  Section(session, "Registration (each item finds its rule through FindAssignByInventory)");
  const auto loginDay = ParseIsoDate(session.LoginDateText());
  Registrar registrar(session);
  TablePrinter table({"barcode", "item", "name", "rule", "batch", "made", "expiry", "free item"});
  for (const auto& r : DemoScript::Registrations()) {
    const auto plan = registrar.PlanFor(r.item);
    const Symbology symbology = Symbology::ForRule(*plan.rule, *session.Rules().ListBarCodeTypes());
    auto info = std::make_shared<clsInventoryInfo>();
    info->setInventoryId(r.item);
    registrar.Describe(*info);
    if (!r.batch.empty()) info->setBatchNo(Variant(r.batch));
    if (r.dated && loginDay) {
      info->setMadeDate(Variant(FormatIsoDate(*loginDay)));
      info->setDisableDate(Variant(FormatIsoDate(*loginDay + std::chrono::days(30))));
    }
    if (r.freeItem > 0) info->setFree(r.freeItem, Variant(r.freeValue));
    const int chunk = Registrar::kDefaultChunk;
    registrar.Register(plan, info, r.count, chunk, [&](const std::shared_ptr<clsInventoryBarCodeSet>& set) {
      Entry entry;
      entry.set = set;
      entry.ruleId = plan.rule->ruleId();
      entry.symbology = symbology.name();
      entries_.push_back(entry);
      const auto& inv = *set->invInfo();
      table.AddRow({set->barCode(), inv.inventoryId(), inv.inventoryName(), entry.ruleId,
                    RecordView::Text(inv.batchNo()), RecordView::Text(inv.madeDate()),
                    RecordView::Text(inv.disableDate()), r.freeItem > 0 ? RecordView::Text(inv.Free(r.freeItem)) : ""});
    });
  }
  if (!session.json()) table.Print(std::cout, 2);
}

void DemoCommand::PrintLabels(Session& session, const DemoWorkspace& workspace) {
  Section(session, "Labels");
  const LabelSize size(50, 30, 203);
  const auto png = LabelWriter::For(LabelFormat::Png, size);
  const auto svg = LabelWriter::For(LabelFormat::Svg, size);
  std::vector<Label> labels;
  for (auto& entry : entries_) {
    const Label label(entry.set->barCode(), Symbology::ForRuleType(entry.symbology),
                      entry.set->invInfo()->inventoryName());
    const auto base = workspace.labels() / FileNameFor(entry.set->barCode());
    entry.png = base.string() + ".png";
    png->WriteFile(label, entry.png);
    svg->WriteFile(label, base.string() + ".svg");
    labels.push_back(label);
  }
  zplFile_ = (workspace.labels() / "labels.zpl").string();
  LabelWriter::For(LabelFormat::Zpl, size)->WriteFile(labels, zplFile_);
  sheetFile_ = (workspace.labels() / "sheet.pdf").string();
  const LabelSheet sheet("A4", "3x8", "10x7mm");
  LabelWriter::Options onSheet;
  onSheet.sheet = sheet;
  LabelWriter::For(LabelFormat::Pdf, size, onSheet)->WriteFile(labels, sheetFile_);
  const int pages = sheet.PagesFor(labels.size());
  if (session.json()) return;
  std::cout << "  " << entries_.size() << " PNG and " << entries_.size() << " SVG labels (" << size.Text()
            << ", item names in Chinese) in " << workspace.labels().string() << '\n'
            << "  the same labels for a label printer (ZPL, " << size.dpi() << " dpi): " << zplFile_ << '\n'
            << "  " << LabelSheetOptions::Report(labels.size(), pages, sheetFile_, sheet) << '\n';
}

void DemoCommand::ScanBack(Session& session) {
  Section(session, "Scanning the PNG labels back, decoding and verifying what was read");
  clsScanService service(session.Context());
  for (auto& entry : entries_) {
    auto answers = service.IdentifyPictureFile(entry.png);
    if (answers.empty()) {
      entry.error = "no barcode found in the label";
      continue;
    }
    auto& outcome = answers.front();
    ScanReport::RequireDecoded(outcome);
    entry.scanned = outcome.registered() && outcome.barCode == entry.set->barCode();
    entry.decodedInfo = outcome.invInfo;
    entry.decoded =
        outcome.ok() && outcome.invInfo && outcome.invInfo->inventoryId() == entry.set->invInfo()->inventoryId();
    if (!outcome.ok()) {
      entry.error = outcome.error;
      continue;
    }
    try {
      // A document that presents what the barcode itself says must be accepted by the registry.
      service.Verify(outcome, *outcome.invInfo);
      entry.verified = true;
    } catch (const Error& e) {
      entry.error = e.description();
    }
  }
  const auto food = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.ruleId == "FOOD"; });
  if (!session.json() && food != entries_.end() && food->decodedInfo) {
    std::cout << "  " << food->set->barCode() << " decodes into:\n";
    RecordView::PropertyTable(*food->decodedInfo).Print(std::cout, 4);
  }
  ShowGs1Forms(session);
}

void DemoCommand::ShowGs1Forms(Session& session) {
  const auto gs1 = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) {
    return e.ruleId == "GS1MILK" && e.verified && e.decodedInfo;
  });
  if (gs1 == entries_.end()) return;
  if (!session.json()) std::cout << "  a GS1 barcode in each form a scanner may give:\n";
  const auto fields = Gs1ElementString::Parse(gs1->set->barCode());
  const std::pair<std::string, std::string> forms[] = {
      {"HRI", fields.ToHri()}, {"raw", fields.ToRaw("]d2")}, {"Digital Link", fields.ToDigitalLink()}};
  for (const auto& [name, text] : forms) {
    std::string outcome = "found and verified";
    try {
      session.BarCodes().VerifyBarCodeSet(text, gs1->decodedInfo->CloneInventoryInfo());
    } catch (const Error& e) {
      outcome = "refused: " + e.description();
      gs1->verified = false;
    }
    if (!session.json()) std::cout << "  " << name << ": " << Gs1Input::Visible(text) << "  " << outcome << '\n';
  }
}

void DemoCommand::Maintain(Session& session) {
  Section(session, "Registry maintenance");
  const auto food = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.ruleId == "FOOD"; });
  if (food == entries_.end()) return;
  const std::string code = food->set->barCode();
  auto& barCodes = session.BarCodes();
  auto attempt = [&](const std::string& what, const std::shared_ptr<clsInventoryInfo>& document) {
    try {
      barCodes.VerifyBarCodeSet(code, document);
      maintenance_.push_back(what + ": accepted");
    } catch (const Error& e) {
      maintenance_.push_back(what + ": refused: " + e.description());
    }
  };
  auto document = food->set->invInfo()->CloneInventoryInfo();

  barCodes.AbandonBarCode(code);
  maintenance_.push_back("abandoned " + code);
  attempt("  verify while abandoned", document);
  barCodes.ReuseBarCode(code);
  maintenance_.push_back("reused " + code);
  attempt("  verify after reuse", document);
  auto other = document->CloneInventoryInfo();
  other->setBatchNo(Variant(DemoScript::OtherBatch()));
  attempt("  a document with batch " + std::string(DemoScript::OtherBatch()), other);
  maintenance_.push_back(std::string("used by documents: ") + (barCodes.IsInUse(code) ? "yes" : "no"));

  if (!session.json())
    for (const auto& line : maintenance_) std::cout << "  " << line << '\n';
}

int DemoCommand::Summarise(Session& session, const DemoWorkspace& workspace) {
  const auto good = static_cast<std::size_t>(std::count_if(
      entries_.begin(), entries_.end(), [](const Entry& e) { return e.scanned && e.decoded && e.verified; }));
  const bool allOk = !entries_.empty() && good == entries_.size();

  if (session.json()) {
    nlohmann::json barcodes = nlohmann::json::array();
    for (const auto& e : entries_) {
      nlohmann::json j = {{"barCode", e.set->barCode()},
                          {"inventoryId", e.set->invInfo()->inventoryId()},
                          {"inventoryName", e.set->invInfo()->inventoryName()},
                          {"ruleId", e.ruleId},
                          {"symbology", e.symbology},
                          {"label", e.png},
                          {"scanned", e.scanned},
                          {"decoded", e.decoded},
                          {"verified", e.verified}};
      if (!e.error.empty()) j["error"] = e.error;
      barcodes.push_back(j);
    }
    JsonOutput::Print({{"dir", workspace.dir().string()},
                       {"db", session.DbLabel()},
                       {"registered", entries_.size()},
                       {"allVerified", allOk},
                       {"maintenance", maintenance_},
                       {"sheet", sheetFile_},
                       {"zpl", zplFile_},
                       {"barcodes", barcodes}});
    return allOk ? 0 : 1;
  }

  Section(session, "Summary");
  TablePrinter table({"#", "barcode", "item", "name", "rule", "symbology", "scanned", "decoded", "verified"});
  table.AlignRight(0);
  int n = 0;
  for (const auto& e : entries_)
    table.AddRow({std::to_string(++n), e.set->barCode(), e.set->invInfo()->inventoryId(),
                  e.set->invInfo()->inventoryName(), e.ruleId, e.symbology, Mark(e.scanned), Mark(e.decoded),
                  Mark(e.verified)});
  table.Print(std::cout, 2);
  for (const auto& e : entries_)
    if (!e.error.empty()) std::cerr << e.set->barCode() << ": " << e.error << '\n';
  std::cout << '\n';
  if (allOk) {
    std::cout << "All " << entries_.size()
              << " registered barcodes were scanned back from their labels, decoded and verified.\n";
  } else {
    std::cout << good << " of " << entries_.size() << " registered barcodes passed; see the errors above.\n";
  }
  return allOk ? 0 : 1;
}

}  // namespace quillstone::cli
