// The editor's command bars as the add-in's connection uses them: CommandBars.Item(name) (also
// as the default member), CommandBar.Controls, CommandBarControls.Add and the button's Caption
// and Delete.
#pragma once

#include <memory>
#include <string>

#include "dispatch_object.h"
#include "form_views.h"
#include "host/command_bars.h"

namespace tovalin::fake {

class CommandBarsView : public DispatchObject {
 public:
  using Model = CommandBars;
  CommandBarsView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<CommandBars> bars)
      : DispatchObject(std::move(views)), bars_(std::move(bars)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "CommandBars"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<CommandBars> bars_;
};

class CommandBarView : public DispatchObject {
 public:
  using Model = CommandBar;
  CommandBarView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<CommandBar> bar)
      : DispatchObject(std::move(views)), bar_(std::move(bar)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "CommandBar"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<CommandBar> bar_;
};

class CommandBarControlsView : public DispatchObject {
 public:
  using Model = CommandBarControls;
  CommandBarControlsView(std::shared_ptr<ViewRegistry> views,
                         std::shared_ptr<CommandBarControls> controls)
      : DispatchObject(std::move(views)), controls_(std::move(controls)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "CommandBarControls"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<CommandBarControls> controls_;
};

class CommandBarControlView : public LateBoundView {
 public:
  using Model = CommandBarControl;
  CommandBarControlView(std::shared_ptr<ViewRegistry> views,
                        const std::shared_ptr<CommandBarControl>& control)
      : LateBoundView(std::move(views), control), control_(control) {}

  const std::shared_ptr<CommandBarControl>& control() const { return control_; }

 protected:
  std::span<const Member> Members() const override;
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<CommandBarControl> control_;
};

}  // namespace tovalin::fake
