// The editor's object model over IDispatch, as the add-in's COM class receives it: wraps the
// editor root given at connection, and the command-bar objects the type library's properties
// may be given back, all sharing one identity map per editor (editor_objects.h). DispatchOf
// (dispatch_holder.h) gives any wrapper's IDispatch back.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "host/command_bars.h"
#include "host/object_model.h"
#include "host/win32/dispatch_holder.h"

namespace tovalin::win32 {

// The editor root (VBIDE VBE) with a new identity map; null for null.
std::shared_ptr<Vbe> WrapEditor(IDispatch* vbe);

// A command-bar control, or an event source (VBE.Events.CommandBarEvents(control)), of
// `editor`: wrapped through the editor's identity map when `editor` is a wrapper of
// WrapEditor, through a map of their own otherwise. Null for null.
std::shared_ptr<CommandBarControl> WrapCommandBarControl(const std::shared_ptr<Vbe>& editor,
                                                         IDispatch* control);
std::shared_ptr<CommandBarEvents> WrapCommandBarEvents(const std::shared_ptr<Vbe>& editor,
                                                       IDispatch* events);

}  // namespace tovalin::win32
