// The demo the README starts with: on a fresh folder it must register, label, scan back, decode
// and verify every barcode, and a second run must start afresh in the same folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/CliProcess.h"

namespace quillstone::test {
namespace {

TEST(CliDemoTest, EveryRegisteredBarcodeIsScannedDecodedAndVerified) {
  ScratchDir scratch;
  const auto dir = scratch / "demo";
  auto first = CliProcess::Run({"--json", "demo", "--dir", dir.string()});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const auto doc = first.Json();
  EXPECT_EQ(doc["allVerified"], true);
  ASSERT_EQ(doc["barcodes"].size(), doc["registered"].get<std::size_t>());
  EXPECT_GE(doc["registered"].get<int>(), 10);
  for (const auto& b : doc["barcodes"]) {
    EXPECT_TRUE(b["scanned"].get<bool>() && b["decoded"].get<bool>() && b["verified"].get<bool>()) << b.dump();
    EXPECT_TRUE(std::filesystem::exists(b["label"].get<std::string>()));
  }
  EXPECT_EQ(doc["barcodes"][0]["symbology"], "Code 128");
  // The maker's own GS1 DataMatrix labels come back to their registry entries too.
  int gs1 = 0;
  for (const auto& b : doc["barcodes"])
    if (b["symbology"] == "GS1 DataMatrix" && b["barCode"].get<std::string>().starts_with("(01)06920000000012")) ++gs1;
  EXPECT_GE(gs1, 2);
  bool refusedWhileAbandoned = false;
  for (const auto& line : doc["maintenance"])
    refusedWhileAbandoned |= line.get<std::string>().find("已被封存，不能使用") != std::string::npos;
  EXPECT_TRUE(refusedWhileAbandoned) << doc["maintenance"].dump();

  // Run again in the same folder: it starts from a new database, so the same numbers come out.
  auto second = CliProcess::Run({"demo", "--dir", dir.string()});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_NE(second.out.find("All " + std::to_string(doc["registered"].get<int>()) +
                            " registered barcodes were scanned back from their labels, decoded and verified."),
            std::string::npos)
      << second.out;
  EXPECT_NE(second.out.find(doc["barcodes"][0]["barCode"].get<std::string>()), std::string::npos);
  EXPECT_NE(second.out.find("Digital Link: https://id.gs1.org/01/06920000000012/10/"), std::string::npos) << second.out;
  std::size_t found = 0;
  for (auto at = second.out.find("found and verified"); at != std::string::npos;
       at = second.out.find("found and verified", at + 1))
    ++found;
  EXPECT_EQ(found, 3u) << "HRI, raw and Digital Link\n" << second.out;
}

TEST(CliDemoTest, AFolderTheDemoDidNotMakeIsLeftAlone) {
  ScratchDir scratch;
  const auto precious = scratch.Write("notes.txt", "keep me");
  auto r = CliProcess::Run({"demo", "--dir", scratch.path().string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("不是空的"), std::string::npos) << r.err;
  EXPECT_TRUE(std::filesystem::exists(precious));
  EXPECT_FALSE(std::filesystem::exists(scratch / "demo.db"));
}

}  // namespace
}  // namespace quillstone::test
