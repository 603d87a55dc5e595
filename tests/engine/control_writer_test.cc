// Control blocks: the caption and accelerator, the conditions of the property lines, and what a
// failed read leaves out or writes.
#include <gtest/gtest.h>

#include "engine/export_fixture.h"

namespace tovalin::testing {
namespace {

class ControlBlockTest : public ExportFixture {
 protected:
  // The lines of the form's control blocks when the form holds `controls` (a JSON array).
  std::string Blocks(const std::string& controls) {
    Load(R"({"activeProject": {"name": "P", "components": [{"name": "frmX", "type": 3,
        "properties": {"Caption": "X"}, "designer": {"controls": )" +
         controls + "}}]}}");
    EXPECT_TRUE(Export("frmX"));
    const std::string out = Output("frmX");
    const std::string start = "'CenterOwner\r\n";
    const size_t from = out.find(start) + start.size();
    return out.substr(from, out.find("End\r\nAttribute VB_Name") - from);
  }
  // One control's block, for a control of `type_name` with the given extender and properties.
  std::string Block(const std::string& type_name, const std::string& properties,
                    const std::string& extender = "") {
    return Blocks(R"([{"typeName": ")" + type_name + R"(", "Name": "c", "Width": 10,
        "Height": 10)" +
                  extender + R"(, "properties": )" + properties + "}]");
  }
  static bool Has(const std::string& block, const std::string& line) {
    return block.find(line + "\r\n") != std::string::npos;
  }
};

TEST_F(ControlBlockTest, AcceleratorMarksTheFirstExactOccurrence) {
  auto caption_of = [&](const std::string& caption, const std::string& accelerator) {
    std::string block = Block(
        "Label", R"({"Caption": ")" + caption + R"(", "Accelerator": ")" + accelerator + R"("})");
    const std::string prefix = "      Caption         =   ";
    const size_t at = block.find(prefix);
    if (at == std::string::npos) return std::string("<none>");
    return block.substr(at + prefix.size(), block.find("\r\n", at) - at - prefix.size());
  };
  EXPECT_EQ(caption_of("File name", "n"), "\"File &name\"");
  EXPECT_EQ(caption_of("Name", "N"), "\"&Name\"");
  EXPECT_EQ(caption_of("name", "N"), "\"name\"");
  EXPECT_EQ(caption_of("a banana", "a"), "\"&a banana\"");
  EXPECT_EQ(caption_of("Save & exit", ""), "\"Save & exit\"");
  EXPECT_EQ(caption_of("Say \\\"hi\\\"", "y"), "\"Sa&y \"\"hi\"\"\"");
}

TEST_F(ControlBlockTest, UnreadableCaptionOrAcceleratorDecidesTheCaptionLine) {
  EXPECT_FALSE(Has(Block("TextBox", R"({"Text": "t"})"), "      Caption         =   \"\""));
  EXPECT_EQ(Block("Label", R"({"Caption": {"error": 5}})").find("Caption"), std::string::npos);
  EXPECT_EQ(Block("Label", R"({"Caption": null})").find("Caption"), std::string::npos);
  // An accelerator that cannot be read leaves the caption without ampersand.
  EXPECT_TRUE(Has(Block("Label", R"({"Caption": "Go", "Accelerator": {"error": 438}})"),
                  "      Caption         =   \"Go\""));
}

TEST_F(ControlBlockTest, FailedTestsWriteConstantLinesButNotValuedOnes) {
  // A type without Enabled gets the constant line; a Label whose TabStop fails gets TabStop.
  const std::string block = Block("Label", R"({"Caption": "L"})",
                                  R"(, "TabStop": {"error": 5}, "Tag": {"error": 5},
                                     "HelpContextID": {"error": 5})");
  EXPECT_TRUE(Has(block, "      Enabled         =   0   'False"));
  EXPECT_TRUE(Has(block, "      TabStop         =   0   'False"));
  EXPECT_EQ(block.find("Tag"), std::string::npos);
  EXPECT_EQ(block.find("HelpContextID"), std::string::npos);
  EXPECT_EQ(block.find("Alignment"), std::string::npos);
  EXPECT_EQ(block.find("WordWrap"), std::string::npos);
  EXPECT_TRUE(Has(block, "   End"));
  // Failures inside a block never reach the caller.
  EXPECT_EQ(runtime().err.number(), 0);
}

TEST_F(ControlBlockTest, ValuesThatCannotBeWrittenLeaveOutTheirLine) {
  for (const char* text_align : {"0", "4", "null", "\"left\""}) {
    const std::string block = Block("Label", std::string(R"({"TextAlign": )") + text_align + "}");
    EXPECT_EQ(block.find("Alignment"), std::string::npos) << text_align;
  }
  EXPECT_TRUE(Has(Block("Label", R"({"TextAlign": 2})"), "      Alignment       =   2"));
  EXPECT_TRUE(Has(Block("Label", R"({"TextAlign": 3})"), "      Alignment       =   1"));
  EXPECT_EQ(
      Block("Label", R"({"BackColor": 4294967296, "ForeColor": {"Double": -3e9}})").find("Color"),
      std::string::npos);
  EXPECT_TRUE(Has(Block("Label", R"({"BackColor": {"Double": -1}})"),
                  "      BackColor       =   &HFFFFFFFF&"));
}

TEST_F(ControlBlockTest, NullSatisfiesNoCondition) {
  const std::string box = Block("CheckBox", R"({"Enabled": null, "Value": null})");
  EXPECT_EQ(box.find("Enabled"), std::string::npos);
  EXPECT_EQ(box.find("Value"), std::string::npos);
  const std::string text = Block("TextBox", R"({"HideSelection": null, "Locked": null,
      "MaxLength": null, "MultiLine": null, "PasswordChar": null, "ScrollBars": null,
      "Text": null})");
  EXPECT_EQ(text.find("HideSelection"), std::string::npos);
  EXPECT_EQ(text.find("Text  "), std::string::npos);
  EXPECT_EQ(text.find("MaxLength"), std::string::npos);
  // WordWrap is always written, but Null cannot become a Boolean.
  EXPECT_EQ(Block("Label", R"({"WordWrap": null})").find("WordWrap"), std::string::npos);
}

TEST_F(ControlBlockTest, EnabledAndHideSelectionAreWrittenForAnythingButTrue) {
  EXPECT_FALSE(Has(Block("TextBox", R"({"Enabled": true, "HideSelection": -1})"),
                   "      Enabled         =   0   'False"));
  const std::string block = Block("TextBox", R"({"Enabled": 1, "HideSelection": 0})");
  EXPECT_TRUE(Has(block, "      Enabled         =   0   'False"));
  EXPECT_TRUE(Has(block, "      HideSelection   =   0  'False"));
}

TEST_F(ControlBlockTest, NumericSettingsKeepTheirOwnText) {
  const std::string block = Block("TextBox", R"({"MaxLength": 0, "ScrollBars": {"Integer": 3},
      "PasswordChar": "", "Text": "a\r\nb"})");
  EXPECT_EQ(block.find("MaxLength"), std::string::npos);
  EXPECT_TRUE(Has(block, "      ScrollBars      =   3"));
  EXPECT_EQ(block.find("PasswordChar"), std::string::npos);
  EXPECT_TRUE(Has(block, "      Text            =   \"a\r\nb\""));
  EXPECT_TRUE(Has(Block("ComboBox", R"({"Style": 2.5})"), "      Style           =   2.5"));
}

TEST_F(ControlBlockTest, ExtenderValuesAreWrittenInTwipsAndDecimal) {
  const std::string block = Block("Image", "{}", R"(, "Left": 18.03, "Top": -1.5,
      "HelpContextID": 7, "TabIndex": -2, "Visible": false)");
  EXPECT_TRUE(Has(block, "      Left            =   360.6"));
  EXPECT_TRUE(Has(block, "      Top             =   -30"));
  EXPECT_TRUE(Has(block, "      HelpContextID   =   7"));
  EXPECT_TRUE(Has(block, "      TabIndex        =   -2"));
  EXPECT_TRUE(Has(block, "      Visible         =   0   'False"));
  EXPECT_EQ(Block("Image", "{}", R"(, "HelpContextID": -1)").find("HelpContextID"),
            std::string::npos);
}

TEST_F(ControlBlockTest, ControlsOnlyReachableThroughFailedParentReadsAreWrittenAtTheirLevel) {
  // A control whose Parent cannot be read is written as if it lay on the form; inside a Frame,
  // a child whose belonging cannot be tested is written in that Frame.
  const std::string blocks = Blocks(R"([
      {"typeName": "Label", "Name": "lost", "Parent": {"error": 5}, "properties": {}},
      {"typeName": "Frame", "Name": "fra", "properties": {},
       "controls": [{"typeName": "Label", "Name": "inner", "Parent": {"error": 5},
                     "properties": {}}]}])");
  EXPECT_EQ(blocks.find("   Begin VB.Label lost\r\n"), 0u);
  EXPECT_NE(blocks.find("      Begin VB.Label inner\r\n"), std::string::npos);
  // The inner label is listed twice in the form's collection (top level and in the Frame), and
  // the failed parent read makes the top-level loop write it too.
  EXPECT_NE(blocks.find("\n   Begin VB.Label inner\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tovalin::testing
