#include "host/office/vba_project.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host/office/code_page_decoder.h"
#include "host/office/compound_file.h"
#include "host/office/format_error.h"
#include "support/sha256.h"

namespace tovalin {
namespace {

using ::testing::HasSubstr;
using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

// The workbooks of the corpus that are compound files themselves; the project lies in their
// _VBA_PROJECT_CUR storage.
constexpr const char* kWorkbooks[] = {"nmartinet-ExcelStuff/PERSONAL.XLS",
                                      "heldersepu-hs-scripts/VBA.xls"};

std::string Corpus(const std::string& path) { return std::string(TOVALIN_CORPUS) + "/" + path; }

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path;
  return std::make_shared<const std::vector<uint8_t>>(std::istreambuf_iterator<char>(in),
                                                      std::istreambuf_iterator<char>());
}

nlohmann::json Oracle(const std::string& document) {
  std::ifstream in(Corpus("oracle/" + document + ".json"));
  return nlohmann::json::parse(in);
}

CompoundFile::EntryId ProjectStorage(const CompoundFile& file) {
  const auto storage = file.Find(file.root(), "_VBA_PROJECT_CUR");
  EXPECT_TRUE(storage.has_value());
  return storage.value_or(file.root());
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const VbaModule* FindModule(const VbaProject& project, const std::string& name) {
  for (const VbaModule& module : project.modules) {
    if (module.name == name) return &module;
  }
  return nullptr;
}

TEST(VbaProject, ReadsTheCorpusWorkbooksAsTheOracleDoes) {
  for (const char* document : kWorkbooks) {
    SCOPED_TRACE(document);
    const CompoundFile file =
        CompoundFile::Open(ReadFile(Corpus(std::string("files/") + document)), document);
    const VbaProject project = ReadVbaProject(file, ProjectStorage(file));
    const nlohmann::json oracle = Oracle(document)["containers"][0];
    const nlohmann::json& expected = oracle["projects"][0];
    EXPECT_EQ(project.code_page, expected["codepage"].get<int>());
    EXPECT_EQ(project.name, expected["project_name"]);
    for (const VbaReference& reference : project.references) EXPECT_TRUE(reference.usable);

    const std::string project_text = expected["project_stream_text"];
    ASSERT_EQ(project.modules.size(), expected["modules"].size());
    for (size_t i = 0; i < project.modules.size(); ++i) {
      const VbaModule& module = project.modules[i];
      const nlohmann::json& want = expected["modules"][i];
      SCOPED_TRACE(module.name);
      EXPECT_EQ(module.name, want.value("name_unicode", want["name"].get<std::string>()));
      EXPECT_EQ(module.stream_name, want["stream_name"]);
      EXPECT_EQ(module.text_offset, want["text_offset"].get<uint32_t>());
      EXPECT_EQ(module.procedural, want["module_type"] == "procedural");
      ASSERT_FALSE(module.source_error.has_value()) << *module.source_error;
      EXPECT_EQ(testing::Sha256Hex(module.source_bytes), want["source_sha256"]);
      EXPECT_EQ(module.source, want["source"]);

      // The oracle names the kind by the file extension an export would take; document
      // modules are told apart from classes by their PROJECT line, whose letter case may
      // differ from the module's ("wsShortCuts", "Document=wsShortcuts/...").
      const std::string lower = Lower(module.name);
      const std::string extension = expected["module_ext"][lower];
      const VbaModuleKind kind =
          extension == "frm"   ? VbaModuleKind::kDesigner
          : extension == "bas" ? VbaModuleKind::kStandard
          : Lower(project_text).find("\r\ndocument=" + lower + "/") != std::string::npos
              ? VbaModuleKind::kDocument
              : VbaModuleKind::kClass;
      EXPECT_EQ(module.kind, kind);
    }

    for (const nlohmann::json& form : oracle["forms"]) {
      const VbaModule* module = FindModule(project, form["module"]);
      ASSERT_NE(module, nullptr);
      const auto text = ReadVbFrameText(file, ProjectStorage(file), *module, project.code_page);
      ASSERT_TRUE(text.has_value()) << module->name;
      EXPECT_EQ(*text, form["vbframe_text"]);
      const VbFrameInfo frame = ParseVbFrame(*text);
      EXPECT_EQ("\"" + frame.caption.value_or("?") + "\"", form["vbframe"]["Caption"]);
      EXPECT_DOUBLE_EQ(frame.client_width.value_or(-1),
                       std::stod(form["vbframe"]["ClientWidth"].get<std::string>()));
    }
  }
}

TEST(VbaProject, ADamagedModuleLeavesTheRestOfTheProjectReadable) {
  const Bytes original = ReadFile(Corpus("files/nmartinet-ExcelStuff/PERSONAL.XLS"));
  const CompoundFile intact = CompoundFile::Open(original, "PERSONAL.XLS");
  const VbaProject project = ReadVbaProject(intact, ProjectStorage(intact));

  // Find where one module's source text begins in the file, and break its signature byte.
  auto damaged = std::make_shared<std::vector<uint8_t>>(*original);
  std::string broken;
  for (const VbaModule& module : project.modules) {
    const auto id = intact.FindPath(ProjectStorage(intact), "VBA/" + module.stream_name);
    const std::vector<uint8_t> stream = intact.ReadStream(*id);
    const auto begin = stream.begin() + module.text_offset;
    if (stream.end() - begin < 24) continue;
    const auto found = std::search(damaged->begin(), damaged->end(), begin, begin + 24);
    if (found == damaged->end() ||
        std::search(found + 1, damaged->end(), begin, begin + 24) != damaged->end()) {
      continue;  // the text's start straddles sectors, or is not unique
    }
    *found = 0x00;
    broken = module.name;
    break;
  }
  ASSERT_FALSE(broken.empty());

  const CompoundFile file = CompoundFile::Open(damaged, "PERSONAL.XLS");
  const VbaProject read = ReadVbaProject(file, ProjectStorage(file));
  ASSERT_EQ(read.modules.size(), project.modules.size());
  for (size_t i = 0; i < read.modules.size(); ++i) {
    const VbaModule& module = read.modules[i];
    if (module.name != broken) {
      EXPECT_EQ(module.source, project.modules[i].source) << module.name;
      continue;
    }
    EXPECT_TRUE(module.source.empty() && module.source_bytes.empty());
    EXPECT_THAT(module.source_error.value_or(""),
                HasSubstr("_VBA_PROJECT_CUR/VBA/" + module.stream_name + " at offset " +
                          std::to_string(module.text_offset) +
                          ": not a compressed container: the first byte is 0x00"));
  }

  // The workbook's own root holds no project.
  try {
    ReadVbaProject(file, file.root());
    ADD_FAILURE() << "no error";
  } catch (const FormatError& error) {
    EXPECT_STREQ(error.what(), "VBA/dir at offset 0: the VBA project has no dir stream");
  }
}

TEST(AttributeLines, AreHiddenWhereverTheyStand) {
  // A module header, member attributes after a procedure's first line and after a WithEvents
  // declaration, and lines that only look similar.
  const std::string stored =
      "Attribute VB_Name = \"mPerso\"\r\n"
      "Option Explicit\r\n"
      "Private WithEvents app As Application\r\n"
      "Attribute app.VB_VarHelpID = -1\r\n"
      "\r\n"
      "Sub pasteAsValue()\r\n"
      "Attribute pasteAsValue.VB_Description = \"Paste as value\"\r\n"
      "Attribute pasteAsValue.VB_ProcData.VB_Invoke_Func = \"V\\n14\"\r\n"
      "  Attributes = 1\r\n"
      "    Attribute x\r\n"
      "attribute lower\r\n"
      "End Sub\r\n";
  EXPECT_EQ(HideAttributeLines(stored),
            "Option Explicit\r\nPrivate WithEvents app As Application\r\n\r\n"
            "Sub pasteAsValue()\r\n  Attributes = 1\r\n    Attribute x\r\nattribute lower\r\n"
            "End Sub");
  EXPECT_EQ(HideAttributeLines("A\r\nB\r\n"), "A\r\nB");
  EXPECT_EQ(HideAttributeLines("A\r\nB"), "A\r\nB");
  EXPECT_EQ(HideAttributeLines("A\r\n\r\n"), "A\r\n");
  EXPECT_EQ(HideAttributeLines("Attribute VB_Name = \"X\"\r\n\r\nSub"), "\r\nSub");
  EXPECT_EQ(HideAttributeLines("Attribute VB_Name = \"X\"\r\n"), "");
  EXPECT_EQ(HideAttributeLines(""), "");
}

TEST(VbFrame, ReadsCaptionAndClientSize) {
  const VbFrameInfo frame = ParseVbFrame(
      "VERSION 5.00\r\n"
      "Begin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} frmMain \r\n"
      "   Caption         =   \"Say \"\"hi\"\" 'now'\"   'a comment\r\n"
      "   ClientHeight    =   3015\r\n"
      "   ClientWidth     =   8850.001\r\n"
      "   BeginProperty Font \r\n"
      "      Caption = \"not the form's\"\r\n"
      "   EndProperty\r\n"
      "   StartUpPosition =   1  'CenterOwner\r\n"
      "End\r\n"
      "   ClientWidth     =   1\r\n");
  EXPECT_EQ(frame.caption, "Say \"hi\" 'now'");
  EXPECT_EQ(frame.client_height, 3015);
  EXPECT_DOUBLE_EQ(frame.client_width.value_or(0), 8850.001);  // a form sized in points

  const VbFrameInfo bare = ParseVbFrame(
      "VERSION 5.00\r\nBegin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} F \r\n"
      "   ClientHeight    =   wide\r\nEnd\r\n");
  EXPECT_FALSE(bare.caption.has_value());
  EXPECT_FALSE(bare.client_height.has_value());
  EXPECT_FALSE(bare.client_width.has_value());
}

TEST(VbaProjectCodePage, DecodesToUtf8WithReplacementCharacters) {
  CodePageDecoder western(1252);
  EXPECT_EQ(western.Decode(std::string_view("a\x80\x81z")), "a€\uFFFDz");  // 0x81: undefined
  CodePageDecoder japanese(932);
  // A lead byte before a space, and one cut short by the end, each become U+FFFD.
  EXPECT_EQ(japanese.Decode(std::string_view("\x82\xA0 \x82 \x82")), "あ \uFFFD \uFFFD");
  EXPECT_EQ(CodePageDecoder(949).Decode(std::string_view("\xC7\xD1\xB1\xDB")), "한글");
  EXPECT_EQ(CodePageDecoder(65001).Decode(std::string_view("\xE2\x82\xAC\xFF")), "€\uFFFD");
  CodePageDecoder unknown(12345);
  EXPECT_FALSE(unknown.supported());
  EXPECT_EQ(unknown.Decode(std::string_view("ab\xE9")), "ab\uFFFD");

  const uint8_t utf16[] = {'A', 0, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xD8, 'B', 0, 'C'};
  EXPECT_EQ(DecodeUtf16Le(utf16), "A😀\uFFFDB\uFFFD");  // a lone surrogate, an odd last byte
}

}  // namespace
}  // namespace tovalin
