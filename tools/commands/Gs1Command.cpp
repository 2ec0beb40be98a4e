#include "commands/Gs1Command.h"

#include <iostream>

#include "cli/Gs1Input.h"
#include "cli/JsonOutput.h"
#include "cli/Session.h"
#include "quillstone/gs1/Gs1ElementString.h"
#include "quillstone/platform/Error.h"

namespace quillstone::cli {
namespace {

const char* FormName(Gs1Form form) {
  switch (form) {
    case Gs1Form::Hri:
      return "hri";
    case Gs1Form::Raw:
      return "raw";
    case Gs1Form::DigitalLink:
      return "link";
  }
  return "";
}

}  // namespace

void Gs1Command::Attach(CLI::App& parent) {
  app_ = AddSubcommand(parent, "gs1", "Parse and check GS1 data (HRI, raw scanner data or Digital Link) or convert it");
  app_->add_option("TEXT", text_, "GS1 data; type <GS> for the group separator in raw data")->required();
  app_->add_option("--to", to_, "Write the data as hri, raw or link instead of listing its AIs")
      ->check(CLI::IsMember({"hri", "raw", "link"}, CLI::ignore_case));
  app_->add_option("--base", base_, "Site of a Digital Link written with --to link (default: https://id.gs1.org)");
  app_->add_option("--id", identifier_,
                   "Symbology identifier to lead raw data written with --to raw: ]C1, ]d2, ]Q3, ]e0");
}

int Gs1Command::Run(Session& session) {
  const std::string text = Gs1Input::FromCommandLine(text_);
  const auto elements = Gs1ElementString::Parse(text);
  const std::string base = base_.empty() ? std::string(Gs1ElementString::kDefaultLinkBase) : base_;

  if (!to_.empty()) {
    std::string out;
    if (to_ == "hri") out = elements.ToHri();
    if (to_ == "raw") out = elements.ToRaw(identifier_);
    if (to_ == "link") out = elements.ToDigitalLink(base);
    JsonOutput::Report(session.json(), {{"form", to_}, {"text", out}}, out);
    return 0;
  }

  if (session.json()) {
    nlohmann::json doc = {{"form", FormName(Gs1ElementString::FormOf(text))},
                          {"hri", elements.ToHri()},
                          {"raw", elements.ToRaw()},
                          {"elements", Gs1Input::ElementsJson(elements)}};
    if (!elements.symbologyIdentifier().empty()) doc["symbologyIdentifier"] = elements.symbologyIdentifier();
    try {
      doc["link"] = elements.ToDigitalLink(base);
    } catch (const Error&) {
      doc["link"] = nullptr;  // no primary key: the data has no link form
    }
    JsonOutput::Print(doc);
    return 0;
  }
  std::cout << elements.ToHri() << '\n';
  Gs1Input::ElementTable(elements).Print(std::cout, 2);
  return 0;
}

}  // namespace quillstone::cli
