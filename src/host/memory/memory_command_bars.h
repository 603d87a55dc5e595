// In-memory command bars and their click events: the editor's "Add-Ins" bar and the controls on
// it, for tests and for the fake editor served to the add-in. A click is raised with
// MemoryCommandBarControl::Click, as the user choosing the command would.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/command_bars.h"

namespace tovalin {

class MemoryCommandBar;
class MemoryCommandBarEvents;

class MemoryCommandBarControl : public CommandBarControl,
                                public std::enable_shared_from_this<MemoryCommandBarControl> {
 public:
  MemoryCommandBarControl(MemoryCommandBar* bar, int32_t type, bool temporary, std::string caption)
      : bar_(bar), type_(type), temporary_(temporary), caption_(std::move(caption)) {}

  void SetCaption(const std::string& caption) override;
  // Fails with 5 when the control was deleted already.
  void Delete() override;

  // Raises Click on every event source bound to this control, in the order they were bound;
  // `handled` and `cancel_default` come back as the sinks left them.
  void Click(bool& handled, bool& cancel_default);

  const std::string& caption() const { return caption_; }
  int32_t type() const { return type_; }
  bool temporary() const { return temporary_; }
  bool deleted() const { return bar_ == nullptr; }
  // The number of sinks connected to this control's event sources.
  int ConnectedSinks() const;

 private:
  friend class MemoryCommandBar;
  friend class MemoryVbeEvents;
  MemoryCommandBar* bar_;
  int32_t type_;
  bool temporary_;
  std::string caption_;
  std::vector<std::weak_ptr<MemoryCommandBarEvents>> events_;
};

class MemoryCommandBar : public CommandBar {
 public:
  explicit MemoryCommandBar(std::string name) : name_(std::move(name)) {}
  ~MemoryCommandBar() override;
  std::shared_ptr<CommandBarControls> Controls() override;

  const std::string& name() const { return name_; }
  // The bar's controls in menu order.
  const std::vector<std::shared_ptr<MemoryCommandBarControl>>& controls() const {
    return controls_;
  }
  std::shared_ptr<MemoryCommandBarControl> AddControl(int32_t type, bool temporary,
                                                      std::string caption = "");

 private:
  friend class MemoryCommandBarControl;
  std::string name_;
  std::vector<std::shared_ptr<MemoryCommandBarControl>> controls_;
};

class MemoryCommandBars : public CommandBars {
 public:
  // The bar of that name (compared without regard to ASCII case); fails with 5 when there is
  // none or the index is not a name.
  std::shared_ptr<CommandBar> Item(const Variant& index) override;

  std::shared_ptr<MemoryCommandBar> AddBar(std::string name);
  std::shared_ptr<MemoryCommandBar> Find(const std::string& name) const;
  const std::vector<std::shared_ptr<MemoryCommandBar>>& bars() const { return bars_; }

 private:
  std::vector<std::shared_ptr<MemoryCommandBar>> bars_;
};

class MemoryCommandBarEvents : public CommandBarEvents {
 public:
  void Connect(CommandBarClickSink* sink) override;
  void Disconnect(CommandBarClickSink* sink) noexcept override;
  const std::vector<CommandBarClickSink*>& sinks() const { return sinks_; }

 private:
  std::vector<CommandBarClickSink*> sinks_;
};

class MemoryVbeEvents : public VbeEvents {
 public:
  // A new event source bound to `control`, which must be a control of a MemoryCommandBar
  // (else 5).
  std::shared_ptr<CommandBarEvents> GetCommandBarEvents(
      const std::shared_ptr<CommandBarControl>& control) override;
};

}  // namespace tovalin
