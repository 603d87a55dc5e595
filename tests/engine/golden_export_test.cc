// Whole documents, byte for byte, against outputs worked out by hand.
#include <gtest/gtest.h>

#include "engine/export_fixture.h"

namespace tovalin::testing {
namespace {

struct GoldenCase {
  const char* description;
  const char* form;
};

class GoldenExportTest : public ExportFixture, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(GoldenExportTest, MatchesTheExpectedBytes) {
  const std::string golden = std::string(TOVALIN_TEST_DATA) + "/engine/golden/";
  Load(ReadFileBytes(golden + GetParam().description));
  ASSERT_TRUE(Export(GetParam().form));
  EXPECT_EQ(runtime().err.number(), 0) << runtime().err.description();
  EXPECT_EQ(Output(GetParam().form), ReadFileBytes(golden + GetParam().form + ".frm"));
  EXPECT_TRUE(messages_.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, GoldenExportTest,
                         ::testing::Values(GoldenCase{"bare.json", "frmBare"},
                                           GoldenCase{"all_types.json", "frmAll"},
                                           GoldenCase{"nested.json", "frmNested"},
                                           GoldenCase{"activex.json", "frmActiveX"}),
                         [](const auto& test_case) { return std::string(test_case.param.form); });

}  // namespace
}  // namespace tovalin::testing
