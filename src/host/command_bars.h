// The editor's command bars and the click events of their controls, as the add-in's connection
// logic uses them: find a bar by name, add a temporary button after its controls, caption it,
// delete it again, and receive its clicks. Every call may throw HostError with the editor's error
// number; an absent object ("Nothing") is a null pointer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/object_model.h"
#include "host/variant.h"

namespace tovalin {

// Control types of CommandBarControls.Add.
enum CommandBarControlType : int32_t {
  kMsoControlButton = 1,
};

// A control on a command bar (a CommandBarButton for type 1).
class CommandBarControl : public HostObject {
 public:
  std::string TypeName() const override { return "CommandBarButton"; }
  virtual void SetCaption(const std::string& caption) = 0;
  // Removes the control from its bar (Delete with its Temporary argument omitted).
  virtual void Delete() = 0;
};

class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;
  // Add(Type, , , , Temporary): a new control after the existing ones. A temporary control is
  // not kept in the editor's saved menu layout.
  virtual std::shared_ptr<CommandBarControl> Add(int32_t type, bool temporary) = 0;
};

class CommandBar {
 public:
  virtual ~CommandBar() = default;
  virtual std::shared_ptr<CommandBarControls> Controls() = 0;
};

class CommandBars {
 public:
  virtual ~CommandBars() = default;
  // Item(index): the bar `index` names (a String: the bar's name), null or a HostError when
  // there is none.
  virtual std::shared_ptr<CommandBar> Item(const Variant& index) = 0;
};

// Receives the Click event of a command-bar control. `handled` and `cancel_default` are the
// event's ByRef arguments.
class CommandBarClickSink {
 public:
  virtual ~CommandBarClickSink() = default;
  virtual void Click(const ObjectRef& command_bar_control, bool& handled, bool& cancel_default) = 0;
};

// The event source bound to one control (VBE.Events.CommandBarEvents(control)). A connected sink
// receives each click until it is disconnected.
class CommandBarEvents {
 public:
  virtual ~CommandBarEvents() = default;
  // Throws HostError when the sink cannot be connected.
  virtual void Connect(CommandBarClickSink* sink) = 0;
  // Disconnecting a sink that is not connected does nothing. Never throws.
  virtual void Disconnect(CommandBarClickSink* sink) noexcept = 0;
};

// VBE.Events.
class VbeEvents {
 public:
  virtual ~VbeEvents() = default;
  virtual std::shared_ptr<CommandBarEvents> GetCommandBarEvents(
      const std::shared_ptr<CommandBarControl>& control) = 0;
};

}  // namespace tovalin
