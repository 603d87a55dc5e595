// The export dialog's logic driven through an in-memory view, an in-memory project and fake
// settings and shell.
#include "dialogs/choose_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/memory_views.h"
#include "host/memory/memory_model.h"
#include "support/fake_platform.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace tovalin::testing {
namespace {

// Counts the editor reads, to see what the dialog asks for.
class CountingVbe : public MemoryVbe {
 public:
  std::shared_ptr<VbComponent> SelectedVBComponent() override {
    ++selected_reads;
    return MemoryVbe::SelectedVBComponent();
  }
  int selected_reads = 0;
};

class ChooseFormTest : public ::testing::Test {
 protected:
  ChooseFormTest() {
    vbe_->SetActiveProject(project_);
    shell_.documents = documents_.path().string();
  }

  std::shared_ptr<MemoryComponent> Add(const std::string& name, int32_t type = 3) {
    auto component = std::make_shared<MemoryComponent>(name, type);
    component->properties().Set("Caption", Variant::String(name));
    project_->AddComponent(component);
    return component;
  }
  void AddForms(std::initializer_list<const char*> names) {
    for (const char* name : names) Add(name);
  }
  // Makes the dialog and initialises it on the editor.
  ChooseForm& Open() {
    dialog_ = std::make_unique<ChooseForm>(view_, test_.runtime, settings_, shell_);
    dialog_->Initialize(vbe_);
    return *dialog_;
  }
  std::vector<std::string> Selection() {
    std::vector<std::string> names;
    for (int i = 0; i < view_.ListCount(); ++i) {
      if (view_.Selected(i)) names.push_back(view_.ItemText(i));
    }
    return names;
  }
  bool Written(const std::string& form) {
    return std::filesystem::exists(out_.Path(form + ".frm"));
  }

  TestRuntime test_;
  FakeSettingsStore settings_;
  FakeShell shell_;
  MemoryChooseFormView view_;
  std::shared_ptr<CountingVbe> vbe_ = std::make_shared<CountingVbe>();
  std::shared_ptr<MemoryProject> project_ = std::make_shared<MemoryProject>("P");
  TempFolder out_;
  TempFolder documents_;
  std::unique_ptr<ChooseForm> dialog_;
};

TEST_F(ChooseFormTest, ListsTheFormsAndSelectsTheEditorsFormOrElseTheFirst) {
  AddForms({"frmA"});
  Add("Module1", kStandardModule);
  auto b = Add("frmB");
  Add("frmC");
  vbe_->SetSelectedComponent(b);
  Open();
  EXPECT_EQ(view_.caption(), "Export Forms to Visual Basic");
  ASSERT_EQ(view_.ListCount(), 3);
  EXPECT_EQ(view_.ItemText(2), "frmC");
  EXPECT_EQ(Selection(), std::vector<std::string>{"frmB"});
  EXPECT_TRUE(view_.ok_enabled());

  // A selected module, a form of another name (names compare exactly), or none: the first.
  for (auto selected :
       {project_->FindComponent("Module1"), std::make_shared<MemoryComponent>("FRMB", 3),
        std::shared_ptr<MemoryComponent>()}) {
    vbe_->SetSelectedComponent(selected);
    view_ = MemoryChooseFormView();
    Open();
    EXPECT_EQ(Selection(), std::vector<std::string>{"frmA"});
  }
}

TEST_F(ChooseFormTest, WithoutFormsOkStaysDisabledAndTheEditorIsNotAskedFurther) {
  Open();  // a project without forms
  EXPECT_EQ(view_.ListCount(), 0);
  EXPECT_FALSE(view_.ok_enabled());
  dialog_->SelectAllButton_Click();
  EXPECT_FALSE(view_.ok_enabled());

  vbe_->SetActiveProject(nullptr);
  vbe_->selected_reads = 0;
  view_ = MemoryChooseFormView();
  Open();
  EXPECT_FALSE(view_.ok_enabled());
  EXPECT_EQ(vbe_->selected_reads, 0);
}

TEST_F(ChooseFormTest, OkButtonFollowsTheSelection) {
  AddForms({"frmA", "frmB"});
  Open();
  dialog_->UnselectAllButton_Click();
  EXPECT_FALSE(view_.ok_enabled());
  dialog_->SelectAllButton_Click();
  EXPECT_TRUE(view_.ok_enabled());
  EXPECT_EQ(Selection().size(), 2u);
  view_.SetSelected(0, false);  // a user's Ctrl+click
  EXPECT_TRUE(view_.ok_enabled());
  view_.SetSelected(1, false);
  EXPECT_FALSE(view_.ok_enabled());
}

TEST_F(ChooseFormTest, RestoresTheFolderOrFallsBackToTheDocumentsFolder) {
  settings_.SetOption("Target Folder", out_.prefix());
  Open();
  EXPECT_EQ(view_.FolderText(), out_.prefix());

  settings_.SetOption("Target Folder", out_.Path("deleted") + "/");
  Open();
  EXPECT_EQ(view_.FolderText(), documents_.path().string());
  EXPECT_EQ(settings_.Option("Target Folder"), out_.Path("deleted") + "/");  // kept until OK
  EXPECT_EQ(settings_.saves, 0);

  settings_.values.clear();
  shell_.documents.reset();
  Open();
  EXPECT_EQ(view_.FolderText(), "");
}

TEST_F(ChooseFormTest, RestoresTheOverwriteStateFromItsText) {
  const struct {
    const char* stored;
    int state;
  } cases[] = {{"1", kChecked},   {"0", kUnchecked},  {"2", kGreyed},  {"junk", kUnchecked},
               {"7", kUnchecked}, {"-1", kUnchecked}, {"", kUnchecked}};
  for (const auto& c : cases) {
    settings_.SetOption("Overwrite without prompt", c.stored);
    view_ = MemoryChooseFormView();
    Open();
    EXPECT_EQ(view_.OverwriteState(), c.state) << c.stored;
  }
}

TEST_F(ChooseFormTest, OkWithoutSelectionSavesBothOptionsAndCloses) {
  AddForms({"frmA"});
  Open();
  dialog_->UnselectAllButton_Click();
  view_.SetFolderText(out_.path().string());  // no trailing separator
  view_.SetOverwriteState(kChecked);
  dialog_->OKButton_Click();
  EXPECT_TRUE(view_.closed());
  EXPECT_EQ(settings_.Option("Target Folder"), out_.prefix());
  EXPECT_EQ(settings_.Option("Overwrite without prompt"), "1");
  EXPECT_FALSE(Written("frmA"));

  view_.SetOverwriteState(kUnchecked);
  view_.SetFolderText("");
  dialog_->OKButton_Click();
  EXPECT_EQ(settings_.Option("Target Folder"), "");
  EXPECT_EQ(settings_.Option("Overwrite without prompt"), "0");
}

TEST_F(ChooseFormTest, CancelSavesNothingEvenAfterBrowsing) {
  AddForms({"frmA"});
  settings_.SetOption("Target Folder", out_.prefix());
  Open();
  shell_.picked = documents_.path().string();
  dialog_->BrowseCommand_Click();
  ASSERT_EQ(shell_.pick_requests.size(), 1u);
  EXPECT_EQ(shell_.pick_requests[0].first, out_.prefix());
  EXPECT_EQ(shell_.pick_requests[0].second, "Select folder to save exported form(s):");
  EXPECT_EQ(view_.FolderText(), documents_.path().string());
  dialog_->CancelButton_Click();
  EXPECT_TRUE(view_.closed());
  EXPECT_EQ(settings_.saves, 0);
  EXPECT_FALSE(Written("frmA"));

  // A cancelled picker leaves the text as it was.
  shell_.picked.reset();
  view_.SetFolderText("typed");
  dialog_->BrowseCommand_Click();
  EXPECT_EQ(view_.FolderText(), "typed");
}

TEST_F(ChooseFormTest, CancelAtTheSecondOverwriteQuestionEndsTheBatch) {
  AddForms({"frmA", "frmB", "frmC"});
  settings_.SetOption("Target Folder", out_.prefix());
  WriteFileBytes(out_.Path("frmB.frm"), "mine");
  Open();
  dialog_->SelectAllButton_Click();
  test_.messages.Answer(kMbCancel);
  dialog_->OKButton_Click();
  EXPECT_TRUE(view_.closed());
  EXPECT_TRUE(Written("frmA"));
  EXPECT_EQ(ReadFileBytes(out_.Path("frmB.frm")), "mine");
  EXPECT_FALSE(Written("frmC"));
  ASSERT_EQ(test_.messages.shown.size(), 1u);  // the question only, no report
  EXPECT_EQ(test_.messages.shown[0].style, kMbStyleYesNoCancelExclamation);
  EXPECT_TRUE(dialog_->outcome().ended_early);
}

TEST_F(ChooseFormTest, AFormLeftWithAnErrorIsReportedAndTheBatchGoesOn) {
  AddForms({"frmA"});
  Add("frmB")->SetDesigner(HostError(kErrInvalidCall));
  AddForms({"frmC"});
  settings_.SetOption("Target Folder", out_.prefix());
  Open();
  dialog_->SelectAllButton_Click();
  dialog_->OKButton_Click();
  ASSERT_EQ(test_.messages.shown.size(), 1u);
  EXPECT_EQ(
      test_.messages.shown[0].text,
      "Cannot save frmB form.\r\n\r\nError 91: Object variable or With block variable not set");
  EXPECT_EQ(test_.messages.shown[0].style, kMbStyleCritical);
  EXPECT_EQ(test_.messages.shown[0].title, "Export Forms to Visual Basic");
  EXPECT_TRUE(Written("frmC"));
  EXPECT_FALSE(test_.runtime.err.IsSet());
  EXPECT_EQ(dialog_->outcome().written, 2);
  EXPECT_EQ(dialog_->outcome().failed, 1);
  EXPECT_FALSE(dialog_->outcome().ended_early);
}

TEST_F(ChooseFormTest, ExportsInListOrderWithTheOverwriteStateOfTheBox) {
  AddForms({"frmA", "frmB"});
  settings_.SetOption("Target Folder", out_.prefix());
  settings_.SetOption("Overwrite without prompt", "2");  // greyed permits overwriting
  WriteFileBytes(out_.Path("frmA.frm"), "old");
  struct Recorder : BatchListener {
    void FormWritten(const std::string& form, const std::string& file) override {
      lines.push_back(form + " -> " + file);
    }
    std::vector<std::string> lines;
  } recorder;
  Open();
  dialog_->set_listener(&recorder);
  dialog_->SelectAllButton_Click();
  dialog_->FormsList_DblClick();
  EXPECT_TRUE(test_.messages.shown.empty());
  EXPECT_EQ(recorder.lines, (std::vector<std::string>{"frmA -> " + out_.Path("frmA.frm"),
                                                      "frmB -> " + out_.Path("frmB.frm")}));
  EXPECT_EQ(settings_.Option("Overwrite without prompt"), "2");
}

TEST_F(ChooseFormTest, ANameThatLeavesTheFolderIsRefused) {
  // The loaders refuse such names; the dialog does not rely on it.
  AddForms({"../frmOut", "frmIn"});
  settings_.SetOption("Target Folder", out_.Path("sub") + "/");
  std::filesystem::create_directories(out_.Path("sub"));
  Open();
  dialog_->SelectAllButton_Click();
  dialog_->OKButton_Click();
  ASSERT_EQ(test_.messages.shown.size(), 1u);
  EXPECT_EQ(test_.messages.shown[0].text,
            "Cannot save ../frmOut form.\r\n\r\nError 52: Bad file name or number");
  EXPECT_FALSE(Written("frmOut"));
  EXPECT_TRUE(std::filesystem::exists(out_.Path("sub/frmIn.frm")));
}

TEST_F(ChooseFormTest, OptionsThatCannotBeSavedAreAWarningNotAFormsFailure) {
  AddForms({"frmA"});
  settings_.SetOption("Target Folder", out_.prefix());
  Open();
  settings_.save_error = HostError(kErrPermissionDenied);
  dialog_->OKButton_Click();
  EXPECT_TRUE(Written("frmA"));
  EXPECT_TRUE(test_.messages.shown.empty());
  ASSERT_EQ(test_.warnings.warnings.size(), 1u);
  EXPECT_EQ(test_.warnings.warnings[0],
            "the options could not be saved: Error 70: Permission denied");
}

TEST_F(ChooseFormTest, AboutBoxShowsTheVersionAndOpensTheLinksItShows) {
  MemoryAboutFormView* shown = nullptr;
  std::string version;
  view_ = MemoryChooseFormView([&] {
    auto about =
        std::make_unique<MemoryAboutFormView>([&](AboutForm& form, MemoryAboutFormView& v) {
          version = v.version();
          form.EmailLabel_Click();
          v.set_www("https://elsewhere.example.org/page");
          form.WwwLabel_Click();
          form.CloseCommand_Click();
          EXPECT_TRUE(v.closed());
        });
    shown = about.get();
    return about;
  });
  AddForms({"frmA"});
  Open();
  dialog_->AboutButton_Click();
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(version, "Tovalin Version 1.1.116");
  EXPECT_EQ(shell_.opened, (std::vector<std::string>{"mailto:tovalin@example.org",
                                                     "https://elsewhere.example.org/page"}));
  EXPECT_FALSE(view_.closed());  // the dialog stays open beneath
  EXPECT_EQ(Selection(), std::vector<std::string>{"frmA"});
}

}  // namespace
}  // namespace tovalin::testing
