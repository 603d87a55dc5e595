#include "addin/add_in.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/host_error.h"
#include "host/memory/memory_command_bars.h"
#include "host/memory/memory_model.h"
#include "host/memory/project_loader.h"

namespace tovalin {
namespace {

// Records what the add-in does with the dialogs it creates; any step can be made to fail.
struct DialogLog {
  int created = 0;
  int initialized = 0;
  int shown = 0;
  int released = 0;
  std::shared_ptr<Vbe> initialized_with;
  bool fail_create = false;
  bool fail_initialize = false;
  bool fail_show = false;
};

class FakeDialog : public ExportDialog {
 public:
  explicit FakeDialog(DialogLog& log) : log_(log) {}
  ~FakeDialog() override { ++log_.released; }
  void Initialize(const std::shared_ptr<Vbe>& IDE_) override {
    if (log_.fail_initialize) throw HostError(kErrObjectNotSet);
    ++log_.initialized;
    log_.initialized_with = IDE_;
  }
  void ShowModal() override {
    if (log_.fail_show) throw HostError(kErrDeviceIo);
    // The dialog of an earlier click has been released before this one shows.
    EXPECT_EQ(log_.released, log_.created - 1);
    ++log_.shown;
  }

 private:
  DialogLog& log_;
};

class FakeDialogFactory : public ExportDialogFactory {
 public:
  explicit FakeDialogFactory(DialogLog& log) : log_(log) {}
  std::unique_ptr<ExportDialog> Create() override {
    if (log_.fail_create) throw HostError(kErrOutOfMemory);
    ++log_.created;
    return std::make_unique<FakeDialog>(log_);
  }

 private:
  DialogLog& log_;
};

class AddInTest : public ::testing::Test {
 protected:
  std::shared_ptr<MemoryCommandBar> AddIns() { return vbe_->command_bars()->Find("Add-Ins"); }
  std::vector<std::string> Captions(const std::shared_ptr<MemoryCommandBar>& bar) {
    std::vector<std::string> captions;
    for (const auto& control : bar->controls()) captions.push_back(control->caption());
    return captions;
  }
  void Click(const std::shared_ptr<MemoryCommandBarControl>& control) {
    bool handled = true;
    bool cancel_default = false;
    control->Click(handled, cancel_default);
    EXPECT_TRUE(handled);
    EXPECT_FALSE(cancel_default);
  }

  std::shared_ptr<MemoryVbe> vbe_ = std::make_shared<MemoryVbe>();
  DialogLog log_;
  FakeDialogFactory factory_{log_};
};

TEST_F(AddInTest, ConnectionAppendsOneTemporaryCommandWhoseClicksRunOneDialogEach) {
  AddIn add_in(factory_);
  add_in.AddinInstance_OnConnection(vbe_, 0);

  const auto bar = AddIns();
  ASSERT_EQ(Captions(bar),
            (std::vector<std::string>{"&Add-In Manager...", "Export Forms to Visual Basic..."}));
  const auto command = bar->controls().back();
  EXPECT_TRUE(command->temporary());
  EXPECT_EQ(command->type(), kMsoControlButton);
  EXPECT_EQ(add_in.MenuItem(), command);
  EXPECT_EQ(add_in.IDE(), vbe_);
  EXPECT_EQ(command->ConnectedSinks(), 1);

  // Each click makes, initialises, shows and releases its own dialog; handled and
  // CancelDefault come back as they went in.
  Click(command);
  Click(command);
  EXPECT_EQ(log_.created, 2);
  EXPECT_EQ(log_.initialized, 2);
  EXPECT_EQ(log_.shown, 2);
  EXPECT_EQ(log_.released, 2);
  EXPECT_EQ(log_.initialized_with, vbe_);
  // The add-in manager's own command is not bound to the add-in.
  Click(bar->controls().front());
  EXPECT_EQ(log_.created, 2);
}

TEST_F(AddInTest, DisconnectionDeletesTheCommandAndReconnectingLeavesExactlyOne) {
  {
    AddIn first(factory_);
    first.AddinInstance_OnConnection(vbe_, 0);
    first.AddinInstance_OnDisconnection(0);
    EXPECT_EQ(Captions(AddIns()), std::vector<std::string>{"&Add-In Manager..."});
    // The members stay until the host releases the object.
    EXPECT_NE(first.MenuItem(), nullptr);
    EXPECT_NE(first.MenuItemHandler(), nullptr);
    // A second disconnection finds the command gone and fails silently.
    first.AddinInstance_OnDisconnection(0);
  }
  AddIn second(factory_);
  second.AddinInstance_OnConnection(vbe_, 0);
  second.AddinInstance_OnDisconnection(0);
  second.AddinInstance_OnConnection(vbe_, 0);
  EXPECT_EQ(Captions(AddIns()),
            (std::vector<std::string>{"&Add-In Manager...", "Export Forms to Visual Basic..."}));
  EXPECT_EQ(AddIns()->controls().back()->ConnectedSinks(), 1);
}

TEST_F(AddInTest, ReleasingTheAddInDisconnectsItsClicks) {
  std::shared_ptr<MemoryCommandBarControl> command;
  {
    AddIn add_in(factory_);
    add_in.AddinInstance_OnConnection(vbe_, 0);
    command = AddIns()->controls().back();
  }
  EXPECT_EQ(command->ConnectedSinks(), 0);
  Click(command);
  EXPECT_EQ(log_.created, 0);
}

TEST_F(AddInTest, WithoutAnAddInsBarTheAddInStaysLoadedWithoutCommand) {
  auto bars = std::make_shared<MemoryCommandBars>();
  bars->AddBar("Standard")->AddControl(kMsoControlButton, false, "Save");
  vbe_->SetCommandBars(bars);
  AddIn add_in(factory_);
  add_in.AddinInstance_OnConnection(vbe_, 0);
  add_in.AddinInstance_OnDisconnection(0);
  EXPECT_EQ(Captions(bars->Find("Standard")), std::vector<std::string>{"Save"});
  EXPECT_EQ(add_in.MenuItem(), nullptr);
  EXPECT_EQ(add_in.MenuItemHandler(), nullptr);
  EXPECT_EQ(add_in.IDE(), vbe_);

  // An editor object without command bars at all (438), or no editor: the same.
  class BareVbe : public Vbe {
   public:
    std::shared_ptr<VbProject> ActiveVBProject() override { return nullptr; }
    std::shared_ptr<VbComponent> SelectedVBComponent() override { return nullptr; }
  };
  AddIn bare(factory_);
  bare.AddinInstance_OnConnection(std::make_shared<BareVbe>(), 0);
  bare.AddinInstance_OnConnection(nullptr, 0);
  bare.AddinInstance_OnDisconnection(0);
  EXPECT_EQ(bare.MenuItem(), nullptr);
}

TEST_F(AddInTest, AnEventSourceThatCannotBeConnectedIsNotKept) {
  class RefusingEvents : public CommandBarEvents {
   public:
    void Connect(CommandBarClickSink*) override { throw HostError(459); }
    void Disconnect(CommandBarClickSink*) noexcept override {}
  };
  AddIn add_in(factory_);
  add_in.AddinInstance_OnConnection(vbe_, 0);
  const auto bound = add_in.MenuItemHandler();
  EXPECT_THROW(add_in.SetMenuItemHandler(std::make_shared<RefusingEvents>()), HostError);
  EXPECT_EQ(add_in.MenuItemHandler(), bound);
  add_in.SetMenuItemHandler(bound);  // the same source again stays connected once
  EXPECT_EQ(AddIns()->controls().back()->ConnectedSinks(), 1);
}

TEST_F(AddInTest, AFailingDialogStepIsSkippedQuietly) {
  AddIn add_in(factory_);
  add_in.AddinInstance_OnConnection(vbe_, 0);
  const auto command = AddIns()->controls().back();

  log_.fail_initialize = true;  // still shown
  Click(command);
  EXPECT_EQ(log_.shown, 1);
  log_.fail_initialize = false;
  log_.fail_show = true;  // ends the click quietly, the dialog released
  Click(command);
  EXPECT_EQ(log_.released, 2);
  log_.fail_create = true;
  Click(command);
  EXPECT_EQ(log_.created, 2);
}

TEST(CommandBarDescriptionTest, DescriptionsGiveTheEditorsBarsOrAnAddInsBarByDefault) {
  const auto bars_of = [](const std::string& json) {
    auto vbe = std::dynamic_pointer_cast<MemoryVbe>(LoadProjectDescription(json, "t.json").vbe);
    return vbe->command_bars();
  };
  auto defaults = bars_of("{}");
  ASSERT_EQ(defaults->bars().size(), 1u);
  EXPECT_EQ(defaults->bars()[0]->controls()[0]->caption(), "&Add-In Manager...");

  auto given = bars_of(R"({"commandBars": [{"name": "Add-Ins"}, {"name": "Menu Bar",
      "controls": ["&File", "&Edit"]}]})");
  ASSERT_EQ(given->bars().size(), 2u);
  EXPECT_TRUE(given->bars()[0]->controls().empty());
  EXPECT_EQ(given->Find("menu bar")->controls()[1]->caption(), "&Edit");
  EXPECT_TRUE(bars_of(R"({"commandBars": []})")->bars().empty());

  EXPECT_THROW(
      {
        try {
          LoadProjectDescription(R"({"commandBars": [{"name": "A", "controls": [1]}]})", "t.json");
        } catch (const DescriptionError& e) {
          EXPECT_STREQ(e.what(),
                       "t.json: /commandBars/0/controls/0: expected a string, found a number");
          throw;
        }
      },
      DescriptionError);
  EXPECT_THROW(LoadProjectDescription(R"({"commandBars": [{"controls": []}]})", "t.json"),
               DescriptionError);
  EXPECT_THROW(LoadProjectDescription(R"({"commandBars": {}})", "t.json"), DescriptionError);
}

}  // namespace
}  // namespace tovalin
