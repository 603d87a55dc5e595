// The export driver: overwrite decision, file errors, the skip-on-error model of the form lines
// and the code transfer.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/export_fixture.h"
#include "host/host_error.h"

namespace tovalin::testing {
namespace {

// A project with one form frmX; the arguments are JSON values spliced into the component.
std::string FormDescription(const std::string& designer, const std::string& caption = R"("X")",
                            const std::string& code = R"("Sub A()\r\nEnd Sub")") {
  return R"({"activeProject": {"name": "P", "components": [{"name": "frmX", "type": 3,
      "properties": {"Caption": )" +
         caption + R"(}, "code": )" + code + R"(, "designer": )" + designer + "}]}}";
}

constexpr const char* kDefaultDesigner = R"({"BackColor": 0, "ForeColor": 0,
    "InsideWidth": 10, "InsideHeight": 10, "Font": {"Name": "Tahoma", "Size": 8,
    "Italic": false, "Underline": false, "Strikethrough": false, "Weight": 400, "Charset": 0},
    "controls": []})";

constexpr const char* kFrameOfTheDocument =
    "End\r\n"
    "Attribute VB_Name = \"frmX\"\r\n"
    "Attribute VB_GlobalNameSpace = False\r\n"
    "Attribute VB_Creatable = False\r\n"
    "Attribute VB_PredeclaredId = True\r\n"
    "Attribute VB_Exposed = False\r\n";

using ExportFormTest = ExportFixture;

TEST_F(ExportFormTest, FailedDesignerReadLeavesTheConstantLinesAndTheCaption) {
  Load(FormDescription(R"({"error": 5, "description": "Designer unavailable"})"));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_EQ(Output("frmX"), std::string("VERSION 5.00\r\n"
                                        "Begin VB.Form frmX\r\n"
                                        "   BorderStyle     =   3  'Fixed Dialog\r\n"
                                        "   Caption         =   \"X\"\r\n"
                                        "   ClientLeft      =   0\r\n"
                                        "   ClientTop       =   0\r\n"
                                        "   BeginProperty Font\r\n"
                                        "   EndProperty\r\n"
                                        "   MaxButton       =   0   'False\r\n"
                                        "   MinButton       =   0   'False\r\n"
                                        "   ShowInTaskbar   =   0   'False\r\n"
                                        "   StartUpPosition =   1  'CenterOwner\r\n") +
                                kFrameOfTheDocument + "Sub A()\r\nEnd Sub\r\n");
  // The form's lines failed after the designer: the caller sees a failure and reports it.
  EXPECT_EQ(runtime().err.number(), kErrObjectNotSet);
}

TEST_F(ExportFormTest, CaptionLineFollowsTheComponentsCaption) {
  Load(FormDescription(kDefaultDesigner, R"({"error": 5})"));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_EQ(Output("frmX").find("Caption"), std::string::npos);
  EXPECT_EQ(runtime().err.number(), kErrInvalidCall);

  Load(FormDescription(kDefaultDesigner, "null"));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_NE(Output("frmX").find("\r\n   Caption         =   \"\"\r\n"), std::string::npos);
  EXPECT_EQ(runtime().err.number(), 0);
}

TEST_F(ExportFormTest, FailedFormValuesLeaveOutTheirLinesOnly) {
  Load(FormDescription(R"({"BackColor": 4294967296, "ForeColor": 0, "InsideWidth": 1e39,
      "InsideHeight": 100.33, "Font": {"Name": null, "Size": {"error": 438}, "Italic": 1,
      "Underline": 0, "Strikethrough": "True", "Weight": 70000, "Charset": 204.5},
      "controls": []})"));
  EXPECT_TRUE(Export("frmX"));
  const std::string out = Output("frmX");
  EXPECT_EQ(out.find("BackColor"), std::string::npos);    // overflows a Long
  EXPECT_EQ(out.find("ClientWidth"), std::string::npos);  // overflows a Single
  EXPECT_NE(out.find("   ClientHeight    =   2006.6\r\n"), std::string::npos);
  EXPECT_NE(out.find("   BeginProperty Font\r\n"
                     "      Charset         =   204\r\n"
                     "      Underline       =   0\r\n"
                     "      Italic          =   -1\r\n"
                     "      Strikethrough   =   -1\r\n"
                     "   EndProperty\r\n"),
            std::string::npos);
  // The last failure of the form's lines is the one the caller sees.
  EXPECT_EQ(runtime().err.number(), kErrOverflow);
}

TEST_F(ExportFormTest, UnreadableOrEmptyCodeEndsWithOneEmptyLine) {
  for (const char* code : {R"({"error": 5})", R"("")"}) {
    Load(FormDescription(kDefaultDesigner, R"("X")", code));
    EXPECT_TRUE(Export("frmX"));
    const std::string out = Output("frmX");
    EXPECT_EQ(out.substr(out.size() - 32), "Attribute VB_Exposed = False\r\n\r\n") << code;
  }
}

TEST_F(ExportFormTest, AFormWithoutControlsEndsRightAfterItsProperties) {
  Load(FormDescription(kDefaultDesigner));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_NE(Output("frmX").find("   StartUpPosition =   1  'CenterOwner\r\nEnd\r\n"),
            std::string::npos);
}

TEST_F(ExportFormTest, AsksBeforeReplacingAnExistingFile) {
  Load(FormDescription(kDefaultDesigner));
  const auto path = folder_.path() / "frmX.frm";
  WriteFileBytes(path, "old");
  const std::string question = "The following file already exists:\r\n" + path.string() +
                               "\r\n\r\nDo you want to overwrite it?";

  messages_.Answer(kMbNo);
  EXPECT_TRUE(Export("frmX", false));
  EXPECT_EQ(ReadFileBytes(path), "old");
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text, question);
  EXPECT_EQ(messages_.shown[0].style, kMbStyleYesNoCancelExclamation);
  EXPECT_EQ(messages_.shown[0].title, "Export Forms to Visual Basic");

  messages_.Answer(kMbCancel);
  EXPECT_FALSE(Export("frmX", false));
  EXPECT_EQ(ReadFileBytes(path), "old");

  messages_.Answer(kMbYes);
  EXPECT_TRUE(Export("frmX", false));
  EXPECT_EQ(ReadFileBytes(path).substr(0, 14), "VERSION 5.00\r\n");

  WriteFileBytes(path, "old");
  EXPECT_TRUE(Export("frmX", true));  // no question when overwriting is allowed
  EXPECT_EQ(messages_.shown.size(), 3u);
  EXPECT_EQ(ReadFileBytes(path).substr(0, 14), "VERSION 5.00\r\n");
}

TEST_F(ExportFormTest, MissingFolderIsReportedAndEndsTheBatch) {
  Load(FormDescription(kDefaultDesigner));
  ExportClass exporter(runtime());
  const std::string folder = folder_.prefix() + "missing/";
  EXPECT_FALSE(exporter.ExportForm(description_.vbe, Component("frmX"), folder, true));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].text,
            "Cannot create file: '" + folder + "frmX.frm'\r\n\r\nError 76: Path not found");
  EXPECT_EQ(messages_.shown[0].style, kMbStyleCritical);
  EXPECT_FALSE(std::filesystem::exists(folder_.path() / "missing"));
  EXPECT_TRUE(exporter.written_file().empty());
}

TEST_F(ExportFormTest, AFailedWriteInsideAControlBlockStillReachesTheCaller) {
  // The failure happens inside the control's block, which clears the current error as it ends.
  // Writes 1 to 25 are the form's own lines; 28 is a line of the Frame's block.
  auto lossy = std::make_unique<FakeFileSystem>();
  lossy->failing_writes = {28};
  file_system_ = std::move(lossy);
  Load(FormDescription(R"({"BackColor": 0, "ForeColor": 0, "InsideWidth": 10, "InsideHeight": 10,
      "Font": {"Name": "Tahoma", "Size": 8, "Italic": false, "Underline": false,
      "Strikethrough": false, "Weight": 400, "Charset": 0},
      "controls": [{"typeName": "Frame", "Name": "fra", "properties": {"Caption": "F"},
        "controls": [{"typeName": "Label", "Name": "lbl", "properties": {}}]}]})"));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_EQ(runtime().err.number(), kErrDiskFull);
  EXPECT_EQ(runtime().err.description(), "Disk full");
}

TEST_F(ExportFormTest, WarnsNamingTheFormWhenTheCodePageCannotHoldACharacter) {
  Load(FormDescription(kDefaultDesigner, R"("日本 €")"));
  EXPECT_TRUE(Export("frmX"));
  EXPECT_NE(Output("frmX").find("Caption         =   \"?? \x80\""), std::string::npos);
  ASSERT_EQ(warnings_.warnings.size(), 1u);
  EXPECT_EQ(warnings_.warnings[0],
            "frmX: 2 characters that code page 1252 cannot hold written as \"?\"");
}

TEST(RenameFormEventHeadsTest, RenamesEveryPrivateSubUserFormHeadInAnyCase) {
  EXPECT_EQ(RenameFormEventHeads("private sub userform_Click()"), "Private Sub Form_Click()");
  EXPECT_EQ(RenameFormEventHeads("Private Sub UserForm_A\r\nPrivate Sub UserForm_B"),
            "Private Sub Form_A\r\nPrivate Sub Form_B");
  EXPECT_EQ(RenameFormEventHeads("x = \"Private Sub UserForm_\""), "x = \"Private Sub Form_\"");
  for (const char* unchanged : {"Public Sub UserForm_Foo()", "Private Function UserForm_F()",
                                "Private  Sub UserForm_Click()", "Private Sub UserForm", ""}) {
    EXPECT_EQ(RenameFormEventHeads(unchanged), unchanged);
  }
}

}  // namespace
}  // namespace tovalin::testing
