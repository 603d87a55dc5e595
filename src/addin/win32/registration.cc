#include "addin/win32/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <string>

#include "addin/win32/addin_ids.h"
#include "addin/win32/com_boundary.h"
#include "addin/win32/module.h"
#include "addin/win32/registry_key.h"
#include "common/app_info.h"
#include "host/win32/utf16.h"

// The per-user type library functions are in oleaut32 (Vista and later) but not in the mingw
// headers.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* type_lib, OLECHAR* full_path, OLECHAR* help_dir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID lib_id, WORD major_version, WORD minor_version,
                                        LCID lcid, SYSKIND sys_kind);
}

namespace tovalin::win32 {
namespace {

constexpr wchar_t kClassesRoot[] = L"Software\\Classes\\";

// The editor keeps the add-ins of its 32-bit and 64-bit builds apart; each build of the module
// registers with the editor of its own kind.
#ifdef _WIN64
constexpr wchar_t kEditorAddIns[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64\\";
#else
constexpr wchar_t kEditorAddIns[] = L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\";
#endif

// LoadBehavior 3 has the editor connect the add-in each time it starts: the add-in's initial
// load behaviour is "Startup". The editor's add-in entries use the value Office's COM add-ins use
// for that, not the add-in designer's own code for "Startup" (1); the editor's Add-In Manager
// rewrites the value when the user changes the "Loaded" and "Load on Startup" boxes.
constexpr DWORD kLoadAtStartup = 3;

// The class's description: the default value of its CLSID and ProgID keys.
constexpr wchar_t kClassDescription[] = L"Tovalin.AddIn";

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// A type library's version as its registry keys spell it: major.minor in hexadecimal.
std::wstring VersionText(const TLIBATTR& attr) {
  wchar_t text[16] = {};
  swprintf(text, 16, L"%x.%x", attr.wMajorVerNum, attr.wMinorVerNum);
  return text;
}

std::wstring ClassKey() { return std::wstring(kClassesRoot) + L"CLSID\\" + GuidText(kClsidAddIn); }
std::wstring ProgIdKey() { return std::wstring(kClassesRoot) + kProgId; }
std::wstring AddInEntryKey() { return std::wstring(kEditorAddIns) + kProgId; }

HRESULT FromWin32(LONG result) {
  return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(result));
}

// The module's own type library and its attributes.
class OwnTypeLib {
 public:
  ~OwnTypeLib() {
    if (attr_ != nullptr) lib_->ReleaseTLibAttr(attr_);
    if (lib_ != nullptr) lib_->Release();
  }
  HRESULT Load(const std::wstring& path) {
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib_);
    if (SUCCEEDED(hr)) hr = lib_->GetLibAttr(&attr_);
    return hr;
  }
  ITypeLib* lib() const { return lib_; }
  const TLIBATTR& attr() const { return *attr_; }

 private:
  ITypeLib* lib_ = nullptr;
  TLIBATTR* attr_ = nullptr;
};

HRESULT WriteClass(const std::wstring& module_path, const OwnTypeLib& type_lib) {
  const std::wstring key = ClassKey();
  LONG result = CreateKeyWithDefault(HKEY_CURRENT_USER, key, kClassDescription);
  if (result == ERROR_SUCCESS) {
    RegistryKey server;
    result = server.Create(HKEY_CURRENT_USER, key + L"\\InprocServer32");
    if (result == ERROR_SUCCESS) result = server.SetString(nullptr, module_path);
    // The editor calls its add-ins on its single user-interface thread.
    if (result == ERROR_SUCCESS) result = server.SetString(L"ThreadingModel", L"Apartment");
  }
  if (result == ERROR_SUCCESS) {
    result = CreateKeyWithDefault(HKEY_CURRENT_USER, key + L"\\ProgID", kProgId);
  }
  if (result == ERROR_SUCCESS) {
    result =
        CreateKeyWithDefault(HKEY_CURRENT_USER, key + L"\\TypeLib", GuidText(type_lib.attr().guid));
  }
  if (result == ERROR_SUCCESS) {
    result =
        CreateKeyWithDefault(HKEY_CURRENT_USER, key + L"\\VERSION", VersionText(type_lib.attr()));
  }
  return FromWin32(result);
}

HRESULT WriteProgId() {
  const std::wstring key = ProgIdKey();
  LONG result = CreateKeyWithDefault(HKEY_CURRENT_USER, key, kClassDescription);
  if (result == ERROR_SUCCESS) {
    result = CreateKeyWithDefault(HKEY_CURRENT_USER, key + L"\\CLSID", GuidText(kClsidAddIn));
  }
  return FromWin32(result);
}

HRESULT WriteAddInEntry() {
  RegistryKey entry;
  LONG result = entry.Create(HKEY_CURRENT_USER, AddInEntryKey());
  const std::wstring name = Utf8ToUtf16(kApplicationTitle);
  const std::wstring description = Utf8ToUtf16(kProductDescription);
  if (result == ERROR_SUCCESS) result = entry.SetString(L"FriendlyName", name);
  if (result == ERROR_SUCCESS) result = entry.SetString(L"Description", description);
  if (result == ERROR_SUCCESS) result = entry.SetDword(L"LoadBehavior", kLoadAtStartup);
  return FromWin32(result);
}

// Unregistering a library that is not registered fails; what counts is that it is gone.
HRESULT RemoveTypeLib(const TLIBATTR& attr) {
  const HRESULT hr = UnRegisterTypeLibForUser(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum,
                                              attr.lcid, attr.syskind);
  if (SUCCEEDED(hr)) return hr;
  const std::wstring version_key = L"TypeLib\\" + GuidText(attr.guid) + L"\\" + VersionText(attr);
  return KeyExists(HKEY_CLASSES_ROOT, version_key) ? hr : S_OK;
}

// The ProgID key is shared by the 32-bit and 64-bit views of the registry, the class keys are not:
// the other build's registration still needs the ProgID while its class key is there. Where
// there is only one view, the other view is this one, whose class key is already gone.
bool OtherBuildRegistered() {
#ifdef _WIN64
  constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
  constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif
  return KeyExists(HKEY_CURRENT_USER, ClassKey(), kOtherView);
}

HRESULT Register() {
  std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  OwnTypeLib type_lib;
  HRESULT hr = type_lib.Load(path);
  // Nothing is written yet: an earlier registration stays as it is.
  if (FAILED(hr)) return hr;
  hr = WriteClass(path, type_lib);
  if (SUCCEEDED(hr)) hr = WriteProgId();
  if (SUCCEEDED(hr)) hr = RegisterTypeLibForUser(type_lib.lib(), path.data(), nullptr);
  if (SUCCEEDED(hr)) hr = WriteAddInEntry();
  if (FAILED(hr)) UnregisterServer();
  return hr;
}

HRESULT Unregister() {
  HRESULT first_failure = S_OK;
  const auto note = [&first_failure](HRESULT hr) {
    if (FAILED(hr) && SUCCEEDED(first_failure)) first_failure = hr;
  };
  note(FromWin32(DeleteKeyTree(HKEY_CURRENT_USER, AddInEntryKey())));
  const std::wstring path = ModulePath();
  OwnTypeLib type_lib;
  HRESULT hr = path.empty() ? SELFREG_E_TYPELIB : type_lib.Load(path);
  if (SUCCEEDED(hr)) hr = RemoveTypeLib(type_lib.attr());
  note(hr);
  note(FromWin32(DeleteKeyTree(HKEY_CURRENT_USER, ClassKey())));
  if (!OtherBuildRegistered()) note(FromWin32(DeleteKeyTree(HKEY_CURRENT_USER, ProgIdKey())));
  return first_failure;
}

}  // namespace

HRESULT RegisterServer() noexcept { return ComBoundary(Register); }

HRESULT UnregisterServer() noexcept { return ComBoundary(Unregister); }

}  // namespace tovalin::win32
