// The one symbology type: every symbology found again by its names and by the identifier a
// reader reports for it, and what each can carry.
#include "quillstone/model/Symbology.h"

#include <gtest/gtest.h>

using namespace quillstone;

namespace {

using Kind = Symbology::Kind;

TEST(SymbologyTest, ReadersIdentifiersNameTheGs1Symbologies) {
  EXPECT_EQ(Symbology::ForIdentifier("]C1")->name(), "GS1-128");
  EXPECT_EQ(Symbology::ForIdentifier("]d2")->name(), "GS1 DataMatrix");
  EXPECT_EQ(Symbology::ForIdentifier("]Q3")->name(), "GS1 QR Code");
  EXPECT_EQ(Symbology::ForIdentifier("]Q1")->name(), "GS1 Digital Link QR Code");
  EXPECT_EQ(Symbology::ForIdentifier("]Q1")->kind(), Kind::DigitalLinkQr);
  EXPECT_FALSE(Symbology::ForIdentifier("]e0"));
  EXPECT_FALSE(Symbology::ForIdentifier(""));
}

TEST(SymbologyTest, EveryIdentifierRoundTrips) {
  for (const auto& s : Symbology::All()) {
    const auto found = Symbology::ForIdentifier(s.identifier());
    ASSERT_TRUE(found) << s.name();
    // A plain QR Code and a Digital Link are both read as ]Q1; the identifier names the link.
    if (s.kind() == Kind::QrCode)
      EXPECT_EQ(found->kind(), Kind::DigitalLinkQr);
    else
      EXPECT_EQ(*found, s) << s.name();
  }
}

}  // namespace
