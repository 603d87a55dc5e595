// What the harness expects of the add-in module's identity: its GUIDs, written down here rather
// than taken from the build, so that a changed identifier (which would orphan every existing
// registration) fails a test; and the registry keys that registration writes.
#pragma once

#include <windows.h>

#include <objbase.h>

#include <string>

namespace tovalin::win32::testing {

// {03372A0D-D94B-4B57-8043-726CA3D1AD89}
inline constexpr GUID kTypeLibId = {
    0x03372A0D, 0xD94B, 0x4B57, {0x80, 0x43, 0x72, 0x6C, 0xA3, 0xD1, 0xAD, 0x89}};
// {CA66D815-51E3-4302-A4E8-979E2CDCFA71}
inline constexpr CLSID kAddInClsid = {
    0xCA66D815, 0x51E3, 0x4302, {0xA4, 0xE8, 0x97, 0x9E, 0x2C, 0xDC, 0xFA, 0x71}};
// {26731CFF-B590-4C4D-BF2C-41D9B1C90BB4}
inline constexpr IID kAddInIid = {
    0x26731CFF, 0xB590, 0x4C4D, {0xBF, 0x2C, 0x41, 0xD9, 0xB1, 0xC9, 0x0B, 0xB4}};

inline constexpr wchar_t kProgId[] = L"Tovalin.AddIn";
inline constexpr wchar_t kMenuCaption[] = L"Export Forms to Visual Basic...";
inline constexpr wchar_t kTitle[] = L"Export Forms to Visual Basic";

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", as the registry spells it.
inline std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// Keys under HKEY_CURRENT_USER.
inline const std::wstring kUserClasses = L"Software\\Classes";
// The editor's add-in list of this module's architecture: the 64-bit editor reads Addins64.
#ifdef _WIN64
inline const std::wstring kEditorAddIns = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64";
inline const std::wstring kOtherEditorAddIns = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
#else
inline const std::wstring kEditorAddIns = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
inline const std::wstring kOtherEditorAddIns = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64";
#endif
// The export dialog's remembered options.
inline const std::wstring kSettingsApplication =
    L"Software\\VB and VBA Program Settings\\Export Forms to Visual Basic";
inline const std::wstring kSettingsOptions = kSettingsApplication + L"\\Options";

}  // namespace tovalin::win32::testing
