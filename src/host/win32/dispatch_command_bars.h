// The editor's command bars and command-bar events over IDispatch: CommandBars.Item,
// CommandBar.Controls, CommandBarControls.Add, a control's Caption and Delete, Events'
// CommandBarEvents(control), and the connection of a click sink through the event source's
// IConnectionPointContainer.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "host/command_bars.h"
#include "host/win32/com_ptr.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32 {

// Each returns null for a null object.
std::shared_ptr<CommandBars> WrapCommandBars(const std::shared_ptr<EditorObjects>& objects,
                                             IDispatch* bars);
std::shared_ptr<VbeEvents> WrapVbeEvents(const std::shared_ptr<EditorObjects>& objects,
                                         IDispatch* events);
std::shared_ptr<CommandBarControl> WrapCommandBarControl(EditorObjects& objects,
                                                         IDispatch* control);
// An event source (VBE.Events.CommandBarEvents(control)). Connected sinks are disconnected when
// the wrapper goes.
std::shared_ptr<CommandBarEvents> WrapCommandBarEvents(
    const std::shared_ptr<EditorObjects>& objects, IDispatch* events);

}  // namespace tovalin::win32
