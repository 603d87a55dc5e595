#include "host/win32/registry_settings_store.h"

#include <limits>
#include <utility>

#include "host/host_error.h"
#include "host/win32/utf16.h"

namespace tovalin::win32 {
namespace {

// Closes a registry key when it goes.
class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  HKEY* put() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

// A name fit for the registry path: not empty, no NUL that would cut it short.
bool IsUsableName(const std::string& name) {
  return !name.empty() && name.find('\0') == std::string::npos;
}

HostError SaveError(LSTATUS status) {
  if (status == ERROR_ACCESS_DENIED) return HostError(kErrPermissionDenied);
  if (status == ERROR_NOT_ENOUGH_MEMORY || status == ERROR_OUTOFMEMORY) {
    return HostError(kErrOutOfMemory);
  }
  return HostError(kErrInvalidCall);
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring base)
    : root_(root), base_(std::move(base)) {}

std::string RegistrySettingsStore::GetSetting(const std::string& app, const std::string& section,
                                              const std::string& key,
                                              const std::string& default_value) {
  if (!IsUsableName(app) || !IsUsableName(section) || !IsUsableName(key)) return default_value;
  const std::wstring path = base_ + L"\\" + Utf8ToUtf16(app) + L"\\" + Utf8ToUtf16(section);
  RegistryKey opened;
  if (RegOpenKeyExW(root_, path.c_str(), 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS) {
    return default_value;
  }
  const std::wstring name = Utf8ToUtf16(key);
  // The value may change between asking its size and reading it: try again a few times.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    LSTATUS status = RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return default_value;
    }
    // Room for a terminating NUL the stored data may lack, and for an odd byte count.
    std::wstring text(size / sizeof(wchar_t) + 2, L'\0');
    DWORD read = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
    status = RegQueryValueExW(opened.get(), name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(text.data()), &read);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return default_value;
    }
    text.resize(read / sizeof(wchar_t));
    const size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return Utf16ToUtf8(text);
  }
  return default_value;
}

void RegistrySettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& value) {
  if (!IsUsableName(app) || !IsUsableName(section) || !IsUsableName(key)) {
    throw HostError(kErrInvalidCall);
  }
  const std::wstring path = base_ + L"\\" + Utf8ToUtf16(app) + L"\\" + Utf8ToUtf16(section);
  RegistryKey created;
  LSTATUS status = RegCreateKeyExW(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, created.put(), nullptr);
  if (status != ERROR_SUCCESS) throw SaveError(status);
  const std::wstring text = Utf8ToUtf16(value);
  // The data holds the text and its terminating NUL.
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (bytes > std::numeric_limits<DWORD>::max()) throw HostError(kErrOutOfMemory);
  status = RegSetValueExW(created.get(), Utf8ToUtf16(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(bytes));
  if (status != ERROR_SUCCESS) throw SaveError(status);
}

}  // namespace tovalin::win32
