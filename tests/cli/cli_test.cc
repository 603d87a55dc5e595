// The tovalin command as a user runs it: messages, files and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

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
  // Runs tovalin with `arguments` (shell words), stdin from /dev/null: no terminal.
  CommandResult Tovalin(const std::string& arguments) {
    const auto out = folder_.path() / "stdout.txt";
    const auto err = folder_.path() / "stderr.txt";
    const std::string command = std::string("'") + TOVALIN_BINARY + "' " + arguments +
                                " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFileBytes(out), ReadFileBytes(err)};
  }
  std::string Description(const std::string& json) {
    const auto path = folder_.path() / "project.json";
    WriteFileBytes(path, json);
    return path.string();
  }
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

TEST_F(CliTest, ExportsAFormOfADocumentAsFarAsItCanBeRead) {
  const std::string out = OutFolder();
  const CommandResult run =
      Tovalin("export '" + kEventListener + "' --form TestFormEvents -o '" + out + "'");
  // The controls are not read from documents yet: the form is reported as not fully saved.
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot save TestFormEvents form."), std::string::npos) << run.err;
  const std::string frm = ReadFileBytes(out + "/TestFormEvents.frm");
  EXPECT_TRUE(frm.starts_with("VERSION 5.00\r\nBegin VB.Form TestFormEvents\r\n   BorderStyle"))
      << frm;
  EXPECT_NE(frm.find("\r\n   Caption         =   \""), std::string::npos);
  // The code follows the attribute lines written by the export; the stored ones are hidden.
  const size_t code = frm.find("Attribute VB_Exposed = False\r\n") + 30;
  EXPECT_EQ(frm.find("Attribute ", code), std::string::npos);
  EXPECT_GT(frm.size(), code + 10);
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
