// The runtime's conversion rules that the exported text depends on.
#include "host/variant.h"

#include <gtest/gtest.h>

#include <limits>

#include "host/host_error.h"

namespace tovalin {
namespace {

int ErrorOf(auto&& call) {
  try {
    call();
  } catch (const HostError& e) {
    return e.number();
  }
  return 0;
}

TEST(VariantTest, WholeNumberConversionsRoundHalfToEvenAndCheckTheRange) {
  EXPECT_EQ(CInt(Variant::Double(2.5)), 2);
  EXPECT_EQ(CInt(Variant::Double(3.5)), 4);
  EXPECT_EQ(CInt(Variant::Double(-2.5)), -2);
  EXPECT_EQ(CInt(Variant::String(" 12 ")), 12);
  EXPECT_EQ(CInt(Variant::Boolean(true)), -1);
  EXPECT_EQ(CInt(Variant()), 0);
  EXPECT_EQ(ErrorOf([] { CInt(Variant::Long(32768)); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CInt(Variant::String("abc")); }), kErrTypeMismatch);
  EXPECT_EQ(ErrorOf([] { CInt(Variant::Null()); }), kErrInvalidUseOfNull);
  EXPECT_EQ(CLng(Variant::String("&HFFFFFFFF")), -1);
  EXPECT_EQ(CLng(Variant::FromCurrency(Currency{25000})), 2);
  EXPECT_EQ(CLng(Variant::FromCurrency(Currency{35000})), 4);
  EXPECT_EQ(ErrorOf([] { CLng(Variant::Double(4294967296.0)); }), kErrOverflow);
}

TEST(VariantTest, CurrencyKeepsFourDecimals) {
  EXPECT_EQ(FormatCurrency(CCur(Variant::Double(8.25))), "8.25");
  EXPECT_EQ(FormatCurrency(CCur(Variant::Long(8))), "8");
  EXPECT_EQ(FormatCurrency(CCur(Variant::Double(9.75))), "9.75");
  EXPECT_EQ(FormatCurrency(CCur(Variant::Double(-0.5))), "-0.5");
  EXPECT_EQ(FormatCurrency(Currency{INT64_MIN}), "-922337203685477.5808");
  EXPECT_EQ(ErrorOf([] { CCur(Variant::Double(1e16)); }), kErrOverflow);
  EXPECT_EQ(ErrorOf([] { CCur(Variant::Double(922337203685477.625)); }), kErrOverflow);
  EXPECT_EQ(CSng(Variant::Double(3.4028235e38)), std::numeric_limits<float>::max());
  EXPECT_EQ(ErrorOf([] { CSng(Variant::Double(3.5e38)); }), kErrOverflow);
}

TEST(VariantTest, TextsOfValues) {
  EXPECT_EQ(CStr(Variant::Boolean(true)), "True");
  EXPECT_EQ(CStr(Variant::Single(360.6000061f)), "360.6");
  EXPECT_EQ(CStr(Variant::Double(0.1 + 0.2)), "0.3");
  EXPECT_EQ(CStr(Variant::Double(1e15)), "1E+15");
  EXPECT_EQ(CStr(Variant::Double(0.00001)), "1E-05");
  EXPECT_EQ(CStr(Variant::Integer(-7)), "-7");
  EXPECT_EQ(CStr(Variant()), "");
  EXPECT_EQ(ErrorOf([] { CStr(Variant::Null()); }), kErrInvalidUseOfNull);
  EXPECT_EQ(Len(Variant::String("Größe")), 5);
  EXPECT_EQ(Len(Variant::String("\xF0\x9F\x98\x80")), 2);  // a surrogate pair
  EXPECT_FALSE(Len(Variant::Null()).has_value());
}

TEST(VariantTest, TruthNotAndComparisonFollowTheRuntime) {
  EXPECT_FALSE(Truth(Variant::Null()).has_value());
  EXPECT_EQ(Truth(Variant::String("true")), true);
  EXPECT_EQ(Truth(Variant::Double(0.5)), true);
  EXPECT_EQ(ErrorOf([] { Truth(Variant::String("yes")); }), kErrTypeMismatch);

  EXPECT_EQ(Not(Variant::Boolean(true)).boolean(), false);
  EXPECT_EQ(Not(Variant::Long(1)).long_value(), -2);
  EXPECT_EQ(Not(Variant::Integer(-1)).integer(), 0);
  EXPECT_TRUE(Not(Variant::Null()).IsNull());
  EXPECT_EQ(Not(Variant::Double(0.4)).long_value(), -1);

  EXPECT_EQ(Compare(Variant::Boolean(true), 0), -1);
  EXPECT_EQ(Compare(Variant(), 0), 0);
  EXPECT_EQ(Compare(Variant::String("2"), 1), 1);
  EXPECT_FALSE(Compare(Variant::Null(), 0).has_value());
  EXPECT_EQ(ErrorOf([] { Compare(Variant::String("x"), 0); }), kErrTypeMismatch);
}

TEST(VariantTest, NumberTexts) {
  EXPECT_EQ(ParseNumber("1.5e3"), 1500.0);
  EXPECT_EQ(ParseNumber("+7"), 7.0);
  EXPECT_EQ(ParseNumber("-.5"), -0.5);
  EXPECT_EQ(ParseNumber("&o17"), 15.0);
  for (const char* not_a_number :
       {"", " ", "1,5", "1e", "e5", ".", "0x10", "&H", "&H123456789", "1 2", "nan", "inf"}) {
    EXPECT_FALSE(ParseNumber(not_a_number).has_value()) << not_a_number;
  }
}

}  // namespace
}  // namespace tovalin
