#include "registry_tree.h"

#include <stdexcept>

#include "harness_support.h"

namespace tovalin::win32::testing {
namespace {

class Key {
 public:
  Key() = default;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }
  HKEY* put() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

std::wstring Join(const std::wstring& parent, const std::wstring& child) {
  return parent.empty() ? child : parent + L"\\" + child;
}

void SnapshotKey(HKEY key, const std::wstring& relative, RegistryTree& tree) {
  DWORD subkeys = 0;
  DWORD longest_subkey = 0;
  DWORD values = 0;
  DWORD longest_name = 0;
  DWORD longest_data = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longest_subkey, nullptr, &values,
                       &longest_name, &longest_data, nullptr, nullptr) != ERROR_SUCCESS) {
    return;
  }
  auto& key_values = tree.keys[relative];
  std::vector<wchar_t> name(longest_name + 2);
  std::vector<BYTE> data(longest_data + 2);
  for (DWORD index = 0; index < values; ++index) {
    DWORD name_length = static_cast<DWORD>(name.size());
    DWORD data_length = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    if (RegEnumValueW(key, index, name.data(), &name_length, nullptr, &type, data.data(),
                      &data_length) != ERROR_SUCCESS) {
      continue;
    }
    key_values[std::wstring(name.data(), name_length)] =
        RegistryValue{type, std::vector<BYTE>(data.begin(), data.begin() + data_length)};
  }
  std::vector<std::wstring> children;
  std::vector<wchar_t> child(longest_subkey + 2);
  for (DWORD index = 0; index < subkeys; ++index) {
    DWORD length = static_cast<DWORD>(child.size());
    if (RegEnumKeyExW(key, index, child.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      children.emplace_back(child.data(), length);
    }
  }
  for (const std::wstring& name_of_child : children) {
    Key sub;
    if (RegOpenKeyExW(key, name_of_child.c_str(), 0, KEY_READ, sub.put()) == ERROR_SUCCESS) {
      SnapshotKey(sub.get(), Join(relative, name_of_child), tree);
    }
  }
}

std::wstring ParentOf(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

void Check(LSTATUS status, const std::string& what) {
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error(what + " failed with " + std::to_string(status));
  }
}

}  // namespace

RegistryTree SnapshotRegistry(HKEY root, const std::wstring& path) {
  RegistryTree tree;
  Key key;
  if (RegOpenKeyExW(root, path.empty() ? nullptr : path.c_str(), 0, KEY_READ, key.put()) ==
      ERROR_SUCCESS) {
    SnapshotKey(key.get(), L"", tree);
  }
  return tree;
}

std::string RegistryChange::ToString() const {
  std::string text(1, kind);
  text += is_value ? " value " : " key ";
  text += Narrow(key);
  if (is_value) text += ": " + (value_name.empty() ? std::string("(default)") : Narrow(value_name));
  return text;
}

std::vector<RegistryChange> RegistryDifferences(const RegistryTree& before,
                                                const RegistryTree& after) {
  std::vector<RegistryChange> changes;
  for (const auto& [path, values] : before.keys) {
    const auto found = after.keys.find(path);
    if (found == after.keys.end()) {
      changes.push_back({'-', path, false, {}});
      continue;
    }
    for (const auto& [name, value] : values) {
      const auto other = found->second.find(name);
      if (other == found->second.end()) {
        changes.push_back({'-', path, true, name});
      } else if (!(other->second == value)) {
        changes.push_back({'~', path, true, name});
      }
    }
    for (const auto& [name, value] : found->second) {
      if (values.find(name) == values.end()) changes.push_back({'+', path, true, name});
    }
  }
  for (const auto& [path, values] : after.keys) {
    if (before.keys.find(path) == before.keys.end()) changes.push_back({'+', path, false, {}});
  }
  return changes;
}

std::string DescribeChanges(const std::vector<RegistryChange>& changes) {
  std::string text;
  for (const RegistryChange& change : changes) text += change.ToString() + "\n";
  return text;
}

std::vector<std::wstring> AddedSubtrees(const RegistryTree& before, const RegistryTree& after) {
  std::vector<std::wstring> tops;
  for (const auto& [path, values] : after.keys) {
    if (before.keys.count(path) == 0 && before.keys.count(ParentOf(path)) != 0) {
      tops.push_back(path);
    }
  }
  return tops;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  Key key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::optional<RegistryValue> ReadValue(HKEY root, const std::wstring& path,
                                       const std::wstring& name) {
  Key key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegistryValue value{type, std::vector<BYTE>(size)};
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, value.data.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path,
                                       const std::wstring& name) {
  const std::optional<RegistryValue> value = ReadValue(root, path, name);
  if (!value || value->type != REG_SZ) return std::nullopt;
  std::wstring text(value->data.size() / sizeof(wchar_t), L'\0');
  for (size_t index = 0; index < text.size(); ++index) {
    text[index] = static_cast<wchar_t>(value->data[2 * index] | (value->data[2 * index + 1] << 8));
  }
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& name) {
  const std::optional<RegistryValue> value = ReadValue(root, path, name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) {
    return std::nullopt;
  }
  return static_cast<DWORD>(value->data[0] | (value->data[1] << 8) | (value->data[2] << 16) |
                            (static_cast<DWORD>(value->data[3]) << 24));
}

void CreateKey(HKEY root, const std::wstring& path) {
  Key key;
  Check(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
        "creating " + Narrow(path));
}

void CopyKeyTree(HKEY from_root, const std::wstring& from, HKEY to_root, const std::wstring& to) {
  Key source;
  Check(RegOpenKeyExW(from_root, from.c_str(), 0, KEY_READ, source.put()),
        "opening " + Narrow(from));
  Key target;
  Check(RegCreateKeyExW(to_root, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, target.put(),
                        nullptr),
        "creating " + Narrow(to));
  Check(RegCopyTreeW(source.get(), nullptr, target.get()), "copying " + Narrow(from));
}

void DeleteKeyTree(HKEY root, const std::wstring& path) {
  if (path.empty()) return;  // Never the whole root.
  RegDeleteTreeW(root, path.c_str());
}

void RestoreKeyTree(HKEY root, const std::wstring& path, const RegistryTree& tree) {
  DeleteKeyTree(root, path);
  for (const auto& [relative, values] : tree.keys) {
    const std::wstring full = relative.empty() ? path : path + L"\\" + relative;
    Key key;
    Check(
        RegCreateKeyExW(root, full.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr),
        "creating " + Narrow(full));
    for (const auto& [name, value] : values) {
      Check(RegSetValueExW(key.get(), name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size())),
            "writing " + Narrow(full));
    }
  }
}

ScopedKeyRemoval::~ScopedKeyRemoval() {
  for (auto it = keys_.rbegin(); it != keys_.rend(); ++it) DeleteKeyTree(it->first, it->second);
}

SavedKeyTree::SavedKeyTree(HKEY root, std::wstring path)
    : root_(root), path_(std::move(path)), saved_(SnapshotRegistry(root_, path_)) {
  DeleteKeyTree(root_, path_);
}

SavedKeyTree::~SavedKeyTree() {
  try {
    if (saved_.keys.empty()) {
      DeleteKeyTree(root_, path_);
    } else {
      RestoreKeyTree(root_, path_, saved_);
    }
  } catch (const std::exception&) {
    // A destructor cannot report; the next run starts from whatever is left.
  }
}

}  // namespace tovalin::win32::testing
