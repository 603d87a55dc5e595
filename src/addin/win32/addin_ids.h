// The add-in class's identities. The GUIDs are those of tovalin.idl (through the header widl
// generates from it), so they are written down once.
#pragma once

#include <windows.h>

#include "tovalin_idl.h"

namespace tovalin::win32 {

// The class AddIn and its default interface _AddIn.
inline constexpr const CLSID& kClsidAddIn = __uuidof(::AddIn);
inline constexpr const IID& kIidAddIn = __uuidof(::_AddIn);

// The project name, ".", the class name: the key of both the class and the editor's add-in entry.
inline constexpr wchar_t kProgId[] = L"Tovalin.AddIn";

}  // namespace tovalin::win32
