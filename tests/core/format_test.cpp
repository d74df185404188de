#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/format.h"
#include "core/numbers.h"
#include "core/string_table.h"

TEST(Numbers, RoundGoesToTheEvenNeighbourOnHalves) {
  EXPECT_EQ(Round(298.5), 298);
  EXPECT_EQ(Round(12.5), 12);
  EXPECT_EQ(Round(37.5), 38);
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-3.5), -4);
  EXPECT_EQ(Round(2.4999), 2);
  EXPECT_EQ(Round(2.5001), 3);
  EXPECT_EQ(Round(850.0 / 1700 * 100), 50);
}

TEST(Numbers, TruncGoesTowardZero) {
  EXPECT_EQ(Trunc(10.5), 10);
  EXPECT_EQ(Trunc(-10.5), -10);
  EXPECT_EQ(Trunc(0.999), 0);
}

TEST(Format, MessageDirectives) {
  EXPECT_EQ(Format("%s: %s", "Query1", "Record not found"), "Query1: Record not found");
  EXPECT_EQ(Format("expecting: %d actual: %d", 2, 1), "expecting: 2 actual: 1");
  EXPECT_EQ(Format("%u%%", 42u), "42%");
  EXPECT_EQ(Format("%u%%", uint16_t{65535}), "65535%");
  EXPECT_EQ(Format("error $%.4x", 0x2108), "error $2108");
  EXPECT_EQ(Format("error $%.4x", 0x2A0B), "error $2A0B");
  EXPECT_EQ(Format("$%.4x", 0x7), "$0007");
  EXPECT_EQ(Format("%s[%d]", "Items", 3), "Items[3]");
  EXPECT_EQ(Format("%5.2f", 1.0), " 1.00");
  EXPECT_EQ(Format("no directives"), "no directives");
  EXPECT_EQ(Format("%s", std::string(300, 'x')).size(), 300u);
}

TEST(Format, MismatchedOrMissingArgumentsRaise) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%s %s", "one"), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
  EXPECT_THROW(Format("trailing %"), EConvertError);
}

TEST(StringTable, ReplacedTextWinsUntilRestored) {
  constexpr TResString kEntry{"STestEntry", "Default text"};
  EXPECT_EQ(LoadResString(kEntry), "Default text");
  TStringTable::Replace("STestEntry", "Replaced");
  EXPECT_EQ(LoadResString(kEntry), "Replaced");
  TStringTable::Restore("STestEntry");
  EXPECT_EQ(LoadResString(kEntry), "Default text");
}

TEST(Exceptions, AbortIsSilentKindWithMessage) {
  try {
    Abort();
    FAIL();
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), "Operation aborted");
  }
}
