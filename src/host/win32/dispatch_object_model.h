// The editor's extensibility objects over IDispatch: the editor root (ActiveVBProject,
// SelectedVBComponent, CommandBars, Events), projects (Name, VBComponents, References),
// components (Name, Type, Designer, Properties.Item(name).Value, CodeModule), code modules
// (CountOfLines, Lines) and references (Name, IsBroken). Collections are read with For Each, in
// the editor's order; an item that is Nothing or not an object fails the enumeration.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "host/object_model.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32 {

// Null for a null object.
std::shared_ptr<Vbe> WrapVbe(const std::shared_ptr<EditorObjects>& objects, IDispatch* vbe);
std::shared_ptr<VbComponent> WrapComponent(const std::shared_ptr<EditorObjects>& objects,
                                           IDispatch* component);

}  // namespace tovalin::win32
