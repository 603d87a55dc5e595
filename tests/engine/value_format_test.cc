#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/export_class.h"
#include "host/host_error.h"

namespace tovalin {
namespace {

TEST(ValueFormatTest, ColoursHaveEightHexDigits) {
  EXPECT_EQ(ExportClass::FormatColor(0), "&H00000000&");
  EXPECT_EQ(ExportClass::FormatColor(255), "&H000000FF&");
  EXPECT_EQ(ExportClass::FormatColor(16777215), "&H00FFFFFF&");
  EXPECT_EQ(ExportClass::FormatColor(-2147483633), "&H8000000F&");
  EXPECT_EQ(ExportClass::FormatColor(-1), "&HFFFFFFFF&");
  EXPECT_EQ(ExportClass::FormatColor(std::numeric_limits<int32_t>::min()), "&H80000000&");
}

TEST(ValueFormatTest, QuotedTextsDoubleTheirQuotesOnly) {
  EXPECT_EQ(ExportClass::QuoteString(""), "\"\"");
  EXPECT_EQ(ExportClass::QuoteString("\""), "\"\"\"\"");
  EXPECT_EQ(ExportClass::QuoteString("a\"\"b"), "\"a\"\"\"\"b\"");
  EXPECT_EQ(ExportClass::QuoteString("tab\there\r\nnext"), "\"tab\there\r\nnext\"");
  EXPECT_EQ(ExportClass::FormatBoolean(true), "-1");
  EXPECT_EQ(ExportClass::FormatBoolean(false), "0");
}

TEST(ValueFormatTest, TwipsKeepTheirFractionWithSevenDigits) {
  EXPECT_EQ(TwipsText(24), "480");
  EXPECT_EQ(TwipsText(18.03f), "360.6");
  EXPECT_EQ(TwipsText(18.15f), "363");
  EXPECT_EQ(TwipsText(10.03f), "200.6");
  EXPECT_EQ(TwipsText(100.33f), "2006.6");
  EXPECT_EQ(TwipsText(240.75f), "4815");
  EXPECT_EQ(TwipsText(-0.0f), "0");
  EXPECT_EQ(TwipsText(0.01f), "0.2");
  EXPECT_EQ(TwipsText(600000.0f), "1.2E+07");
  EXPECT_THROW(TwipsText(std::numeric_limits<float>::max()), HostError);
  EXPECT_THROW(TwipsText(std::numeric_limits<float>::quiet_NaN()), HostError);
}

}  // namespace
}  // namespace tovalin
