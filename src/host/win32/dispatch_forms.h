// The forms package's objects over IDispatch: the form (a component's designer), its controls
// and its font. Wrappers come from the editor's identity map, so the same COM object is the same
// wrapper while it lives. All reads are late-bound; values convert with the runtime's rules at
// read time, as in the editor (a Left that is not a number fails with 13).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "host/object_model.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32 {

// Each returns null for a null object.
std::shared_ptr<UserForm> WrapUserForm(EditorObjects& objects, IDispatch* form);
std::shared_ptr<Control> WrapControl(EditorObjects& objects, IDispatch* control);
std::shared_ptr<Font> WrapFont(EditorObjects& objects, IDispatch* font);

// For Each over a Controls collection: Nothing items are null entries, items that are not
// objects fail the enumeration.
ControlList ControlsOf(EditorObjects& objects, IDispatch* collection);

}  // namespace tovalin::win32
