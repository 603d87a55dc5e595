// The tovalin command as a user runs it: messages, files and exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  // Runs tovalin with `arguments` (shell words), stdin from /dev/null: no terminal. The home
  // and config folders are the test's own, so that remembered options stay inside it.
  CommandResult Tovalin(const std::string& arguments) {
    const auto out = folder_.path() / "stdout.txt";
    const auto err = folder_.path() / "stderr.txt";
    std::filesystem::create_directories(Home());
    const std::string command = "HOME='" + Home() + "' XDG_CONFIG_HOME='" + Home() + "/.config' '" +
                                TOVALIN_BINARY + "' " + arguments + " </dev/null >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
  }
  std::string Description(const std::string& json) {
    const auto path = folder_.path() / "project.json";
    WriteFileBytes(path, json);
    return path.string();
  }
  std::string Home() const { return folder_.Path("home"); }
  std::string SettingsFile() const { return Home() + "/.config/tovalin/settings.ini"; }
  std::string OutFolder() {
    std::filesystem::create_directories(folder_.path() / "out");
    return (folder_.path() / "out").string();
  }

  TempFolder folder_;
};

constexpr const char* kTwoForms = R"({"activeProject": {"name": "P", "components": [
    {"name": "frmA", "type": 3, "properties": {"Caption": "A"}, "designer": {"controls": []}},
    {"name": "Module1", "type": 1},
    {"name": "frmB", "type": 3, "designer": {"error": 5}}]}})";

TEST_F(CliTest, PrintsItsVersion) {
  const CommandResult run = Tovalin("--version");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Tovalin Version 1.1.116\n");
}

TEST_F(CliTest, ExportsInProjectOrderAndReportsAFormNotFullySaved) {
  const std::string project = Description(kTwoForms);
  const std::string out = OutFolder();
  const CommandResult run =
      Tovalin("export --project '" + project + "' --form frmB --form frmA -o '" + out + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "frmA -> " + out + "/frmA.frm\n");
  EXPECT_NE(run.err.find("Cannot save frmB form.\n\nError 91: Object variable or With block "
                         "variable not set"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(std::filesystem::exists(out + "/frmB.frm"));  // written as far as it could be
}

TEST_F(CliTest, KeepsAnExistingFileWhenNobodyCanBeAsked) {
  const std::string project = Description(kTwoForms);
  const std::string out = OutFolder();
  WriteFileBytes(out + "/frmA.frm", "mine");
  const CommandResult run =
      Tovalin("export --project '" + project + "' --form frmA -o '" + out + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFileBytes(out + "/frmA.frm"), "mine");
  EXPECT_NE(run.err.find(out + "/frmA.frm"), std::string::npos);
  EXPECT_NE(run.err.find("--overwrite"), std::string::npos);

  EXPECT_EQ(Tovalin("export --project '" + project + "' --all --overwrite -o '" + out + "'").status,
            1);
  EXPECT_EQ(ReadFileBytes(out + "/frmA.frm").substr(0, 12), "VERSION 5.00");
}

TEST_F(CliTest, FailuresHaveTheirOwnExitStatus) {
  const std::string project = Description(kTwoForms);
  CommandResult run = Tovalin("export --project '" + project + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--all"), std::string::npos);

  run = Tovalin("export --project '" + project + "' --form frmC");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("frmC"), std::string::npos);

  run = Tovalin("export --project '" + project + "' --all -o '" + folder_.prefix() + "none'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot create file: '" + folder_.prefix() +
                         "none/frmA.frm'\n\nError 76: "
                         "Path not found"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(run.out.empty());

  run = Tovalin("export --project '" + Description("{\"activeProject\": [1]}") + "' --all");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("project.json: /activeProject"), std::string::npos) << run.err;

  run = Tovalin("export --project '" + folder_.prefix() + "missing.json' --all");
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find("missing.json"), std::string::npos);
}

const std::string kEventListener =
    std::string(TOVALIN_CORPUS) + "/files/todar-EventListener/App.xlsm";

TEST_F(CliTest, ListsEveryInputAsJson) {
  const std::string missing = folder_.prefix() + "missing.xlsm";
  const CommandResult run = Tovalin("list --json '" + kEventListener + "' '" +
                                    Description(kTwoForms) + "' '" + missing + "'");
  EXPECT_EQ(run.status, 3);
  const auto listing = nlohmann::json::parse(run.out);
  ASSERT_EQ(listing.size(), 3u);
  EXPECT_EQ(listing[0]["input"], kEventListener);
  EXPECT_EQ(listing[0]["project"]["name"], "VBAProject");
  EXPECT_EQ(listing[0]["project"]["codePage"], 1252);
  bool has_form = false;
  for (const auto& component : listing[0]["project"]["components"]) {
    if (component["name"] == "TestFormEvents") has_form = component["type"] == 3;
  }
  EXPECT_TRUE(has_form);
  EXPECT_EQ(listing[1]["project"]["components"].size(), 3u);
  EXPECT_EQ(listing[2]["error"], missing + ": cannot read: No such file or directory");
}

TEST_F(CliTest, ExportsAFormOfADocumentAndTheSameFormFromItsExportedPair) {
  const std::string out = OutFolder();
  const CommandResult run =
      Tovalin("export '" + kEventListener + "' --form TestFormEvents -o '" + out + "'");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string frm = ReadFileBytes(out + "/TestFormEvents.frm");
  EXPECT_TRUE(frm.starts_with("VERSION 5.00\r\nBegin VB.Form TestFormEvents\r\n")) << frm;
  EXPECT_NE(frm.find("\r\n   Begin VB.Frame Frame1\r\n"), std::string::npos) << frm;
  // The code follows the attribute lines written by the export; the stored ones are hidden.
  const size_t code = frm.find("Attribute VB_Exposed = False\r\n") + 30;
  EXPECT_EQ(frm.find("Attribute ", code), std::string::npos);
  EXPECT_GT(frm.size(), code + 10);

  // The pair the editor exported, kept with LF line ends, and the folder holding it.
  const std::string pair = std::string(TOVALIN_CORPUS) + "/exports/todar-EventListener/src";
  int run_number = 0;
  for (const std::string& input : {pair + "/TestFormEvents.frm", pair}) {
    const std::string again = (folder_.path() / ("pair" + std::to_string(++run_number))).string();
    std::filesystem::create_directories(again);
    const CommandResult from_pair = Tovalin("export '" + input + "' --all -o '" + again + "'");
    EXPECT_EQ(from_pair.status, 0) << from_pair.err;
    EXPECT_EQ(ReadFileBytes(again + "/TestFormEvents.frm"), frm) << input;
  }
}

TEST_F(CliTest, AnInputThatIsNoFileAndAFullStandardOutputAreFailures) {
  const std::string fifo = folder_.Path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const CommandResult run = Tovalin("list '" + fifo + "'");  // would block if it were opened
  EXPECT_EQ(run.status, 3);
  EXPECT_NE(run.err.find(fifo + ": cannot read: not a regular file"), std::string::npos) << run.err;
  const std::string command = std::string("'") + TOVALIN_BINARY + "' about >/dev/full 2>/dev/null";
  const int raw = std::system(command.c_str());
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
}

TEST_F(CliTest, DocumentProblemsHaveTheirOwnExitStatus) {
  const std::string text = folder_.Path("notes.txt");
  WriteFileBytes(text, "plain text");
  EXPECT_EQ(Tovalin("list '" + text + "'").status, 4);
  const std::string broken = folder_.Path("broken.xlsm");
  WriteFileBytes(broken, ReadFileBytes(kEventListener).substr(0, 20000));
  const CommandResult run = Tovalin("export '" + broken + "' --all");
  EXPECT_EQ(run.status, 7);
  EXPECT_NE(run.err.find(broken + ": is damaged: "), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tovalin::testing

namespace tovalin::testing {
namespace {

constexpr const char* kGoodForms = R"({"activeProject": {"name": "P", "components": [
    {"name": "frmA", "type": 3, "properties": {"Caption": "A"}},
    {"name": "frmB", "type": 3, "properties": {"Caption": "B"}}]}})";

TEST_F(CliTest, RemembersTheFolderAndTheOverwriteChoiceAsTheDialogDoes) {
  const std::string project = Description(kGoodForms);
  const std::string out = OutFolder();
  CommandResult run = Tovalin("export '" + project + "' --all -o '" + out + "' --overwrite");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "frmA -> " + out + "/frmA.frm\nfrmB -> " + out + "/frmB.frm\n");
  const std::string settings = ReadFileBytes(SettingsFile());
  EXPECT_NE(settings.find("Target Folder=" + out + "/\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("Overwrite without prompt=1\n"), std::string::npos) << settings;

  // A relative -o is remembered as an absolute folder, for runs that start elsewhere.
  EXPECT_EQ(Tovalin("export '" + project + "' --form frmA -q -o '" + out + "/../out/.'").status, 0);
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("Target Folder=" + out + "/\n"), std::string::npos);

  // No -o: the saved folder; no flag: the saved choice replaces without asking.
  WriteFileBytes(out + "/frmA.frm", "old");
  run = Tovalin("export '" + project + "' --form frmA");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "frmA -> " + out + "/frmA.frm\n");
  EXPECT_TRUE(ReadFileBytes(out + "/frmA.frm").starts_with("VERSION 5.00"));

  // --no-overwrite is remembered too: the next run asks, and without a terminal keeps the file.
  WriteFileBytes(out + "/frmA.frm", "old");
  EXPECT_EQ(Tovalin("export '" + project + "' --form frmB --no-overwrite -q").status, 0);
  run = Tovalin("export '" + project + "' --form frmA");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFileBytes(out + "/frmA.frm"), "old");
  EXPECT_NE(run.err.find("--overwrite"), std::string::npos) << run.err;
}

TEST_F(CliTest, ADamagedSettingsFileGivesAWarningAndTheDefaults) {
  const std::string project = Description(kGoodForms);
  std::filesystem::create_directories(Home() + "/.config/tovalin");
  std::filesystem::create_directories(Home() + "/Documents");
  WriteFileBytes(SettingsFile(), "\x01\x02 not settings\n");
  const CommandResult run = Tovalin("export '" + project + "' --form frmB");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("warning: " + SettingsFile() + ": line 1"), std::string::npos) << run.err;
  // The default folder is the documents folder; the damaged file is kept beside the new one.
  EXPECT_EQ(run.out, "frmB -> " + Home() + "/Documents/frmB.frm\n");
  EXPECT_EQ(ReadFileBytes(SettingsFile() + ".damaged"), "\x01\x02 not settings\n");
  EXPECT_NE(ReadFileBytes(SettingsFile()).find("Target Folder=" + Home() + "/Documents/"),
            std::string::npos);
}

TEST_F(CliTest, NoFileIsWrittenOutsideTheChosenFolder) {
  const std::string out = folder_.Path("deep/out");
  std::filesystem::create_directories(out + "/sub");
  for (const char* name : {"../frmUp", "sub/frmDown", "..", "a\\\\b", "/etc/frmRoot", ""}) {
    const std::string project = Description(
        std::string(R"({"activeProject": {"name": "P", "components": [{"name": ")") + name +
        R"(", "type": 3}, {"name": "frmOk", "type": 3, "properties": {"Caption": ""}}]}})");
    const CommandResult run =
        Tovalin("export '" + project + "' --all --overwrite -o '" + out + "'");
    EXPECT_NE(run.status, 0) << name;  // such a description is refused
  }
  Tovalin("export '" + Description(kGoodForms) + "' --all --overwrite -o '" + out + "/'");
  std::vector<std::string> written;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.path())) {
    if (entry.is_regular_file() && entry.path().string().find(".frm") != std::string::npos) {
      written.push_back(entry.path().string());
    }
  }
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{out + "/frmA.frm", out + "/frmB.frm"}));
}

TEST_F(CliTest, SeveralInputsNeverReplaceEachOthersFilesSilently) {
  const std::string first = Description(kGoodForms);
  const std::string second = folder_.Path("second.json");
  WriteFileBytes(second, kGoodForms);
  const std::string out = OutFolder();
  CommandResult run = Tovalin("export '" + first + "' '" + second +
                              "' --form frmA --no-overwrite -o '" + out + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "frmA -> " + out + "/frmA.frm\n");  // the second was asked and kept it
  EXPECT_NE(run.err.find("The following file already exists:\n" + out + "/frmA.frm"),
            std::string::npos)
      << run.err;

  std::filesystem::remove(out + "/frmA.frm");
  run = Tovalin("export '" + first + "' '" + second + "' --form frmA --overwrite -o '" + out + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(
      run.err.find(out + "/frmA.frm from " + second + " replaces the one written from " + first),
      std::string::npos)
      << run.err;
}

TEST_F(CliTest, RegisteredClassesNameControlsOfReferencedLibraries) {
  const std::string project = Description(R"({"activeProject": {"name": "P",
      "references": [{"name": "MSComctlLib", "isBroken": false}],
      "components": [{"name": "frmA", "type": 3, "designer": {"controls": [
          {"typeName": "Slider", "Name": "sldZoom", "properties": {}}]}}]}})");
  const std::string out = OutFolder();
  Tovalin("export '" + project + "' --all --overwrite -o '" + out + "'");
  EXPECT_NE(ReadFileBytes(out + "/frmA.frm").find("Begin <unknown>.Slider sldZoom"),
            std::string::npos);
  Tovalin("export '" + project + "' --all --registered-class mscomctllib.slider -o '" + out + "'");
  EXPECT_NE(ReadFileBytes(out + "/frmA.frm").find("Begin MSComctlLib.Slider sldZoom"),
            std::string::npos);
}

TEST_F(CliTest, PrintsTheAboutBox) {
  const CommandResult run = Tovalin("about");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "Tovalin Version 1.1.116\nThis add-in exports Microsoft Office 2000 forms and their "
            "associated code to Visual Basic .frm files.\nCopyright (C) 2026 Tovalin "
            "developers\ntovalin@example.org\nhttps://tovalin.example.org/\n");
}

}  // namespace
}  // namespace tovalin::testing
