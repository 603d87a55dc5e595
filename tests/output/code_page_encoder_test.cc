#include "output/code_page_encoder.h"

#include <gtest/gtest.h>

#include <string>

// Built into the tests of both platforms' encoders: they must write the same bytes and count the
// same replacements.
namespace tovalin {
namespace {

TEST(CodePageEncoderTest, EncodesAndSubstitutes) {
  struct Case {
    uint32_t code_page;
    std::string utf8, bytes;
    size_t substituted;
  };
  const Case cases[] = {
      {1252, "Gr\u00f6\u00dfe \u20ac",
       "Gr\xF6\xDF"
       "e \x80",
       0},
      {1251, "\u041f\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2", 0},
      {932, "\u65e5\u672c", "\x93\xFA\x96\x7B", 0},
      // Characters the code page lacks, with no best-fit look-alikes: one "?" each, whatever
      // their UTF-8 length.
      {1252, "a\u65e5b\U0001F600c\u0141", "a?b?c?", 3},
      {20127, "caf\u00e9", "caf?", 1},
      {932, "\u00e9x\U0001F600", "?x?", 2},
      // Bytes that are not UTF-8 (stray, overlong, surrogate, cut short): one "?" per byte.
      {1252,
       "a\xFF"
       "b\xC0\xAF",
       "a?b??", 3},
      {1252, "\xED\xA0\x80z\xE2\x82", "???z??", 5},
      {65001, "\x80\u00e9\U0001F600", "?\u00e9\U0001F600", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.utf8));
    auto encoder = CodePageEncoder::Create(c.code_page);
    ASSERT_NE(encoder, nullptr) << c.code_page;
    std::string out = "kept:";
    EXPECT_EQ(encoder->Encode(c.utf8, out), c.substituted);
    EXPECT_EQ(out, "kept:" + c.bytes);
  }

  // Past the size of one conversion step, with substitutions on the way.
  std::string utf8, expected;
  for (int i = 0; i < 100000; ++i) {
    utf8 += i % 1000 == 999 ? "\u65e5" : "\u00e9";
    expected += i % 1000 == 999 ? '?' : '\xE9';
  }
  std::string out;
  EXPECT_EQ(CodePageEncoder::Create(1252)->Encode(utf8, out), 100u);
  EXPECT_EQ(out, expected);
}

TEST(CodePageEncoderTest, RejectsWideAndUnknownCodePages) {
  // Wide code pages, pseudo code pages, unknown ones, ones whose replacements cannot be counted,
  // and EBCDIC ones that do not write ASCII as ASCII.
  for (uint32_t code_page :
       {0u, 1u, 1200u, 1201u, 12000u, 12001u, 28602u, 50220u, 65000u, 500u, 1047u}) {
    EXPECT_FALSE(IsSupportedCodePage(code_page)) << code_page;
  }
  for (uint32_t code_page : {1250u, 1251u, 1252u, 932u, 936u, 949u, 950u, 65001u}) {
    EXPECT_TRUE(IsSupportedCodePage(code_page)) << code_page;
  }
}

}  // namespace
}  // namespace tovalin
