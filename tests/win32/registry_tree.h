// A copy of a registry key's whole tree, to compare the registry before and after an operation,
// and the few key operations the tests need beyond that.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovalin::win32::testing {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const RegistryValue&) const = default;
};

// Every key under a root, by its path relative to the root ("" for the root itself), with its
// values by name ("" for the default value). Key names keep the case the registry reports.
struct RegistryTree {
  std::map<std::wstring, std::map<std::wstring, RegistryValue>> keys;
  bool operator==(const RegistryTree&) const = default;
};

// The tree under root\path; empty when the key does not exist.
RegistryTree SnapshotRegistry(HKEY root, const std::wstring& path);

// One difference between two trees: a key added or removed, or a value of a key present in both
// added, removed or changed.
struct RegistryChange {
  char kind;  // '+', '-' or '~'.
  std::wstring key;
  bool is_value = false;
  std::wstring value_name;
  // "+ key CLSID\{...}", "~ value Foo\Bar: Name".
  std::string ToString() const;
};

std::vector<RegistryChange> RegistryDifferences(const RegistryTree& before,
                                                const RegistryTree& after);
// The differences, one a line, for a test's failure message.
std::string DescribeChanges(const std::vector<RegistryChange>& changes);

// The keys of `after` that `before` lacks while it has their parent: the tops of new subtrees.
std::vector<std::wstring> AddedSubtrees(const RegistryTree& before, const RegistryTree& after);

bool KeyExists(HKEY root, const std::wstring& path);
// A value of root\path; nullopt when the key or the value is missing.
std::optional<RegistryValue> ReadValue(HKEY root, const std::wstring& path,
                                       const std::wstring& name);
// A REG_SZ value's text without its terminating NULs; nullopt when missing or of another type.
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& path,
                                       const std::wstring& name);
std::optional<DWORD> ReadDword(HKEY root, const std::wstring& path, const std::wstring& name);

// Creates root\path (and its parents); throws std::runtime_error on failure.
void CreateKey(HKEY root, const std::wstring& path);
// Copies the subtree from_root\from to to_root\to.
void CopyKeyTree(HKEY from_root, const std::wstring& from, HKEY to_root, const std::wstring& to);
// Removes root\path and everything under it; a missing key is not an error.
void DeleteKeyTree(HKEY root, const std::wstring& path);
// Writes `tree` back under root\path after removing what is there.
void RestoreKeyTree(HKEY root, const std::wstring& path, const RegistryTree& tree);

// Removes a key tree at the end of a scope (keys a test created for itself).
class ScopedKeyRemoval {
 public:
  ScopedKeyRemoval() = default;
  ~ScopedKeyRemoval();
  ScopedKeyRemoval(const ScopedKeyRemoval&) = delete;
  ScopedKeyRemoval& operator=(const ScopedKeyRemoval&) = delete;
  void Add(HKEY root, std::wstring path) { keys_.emplace_back(root, std::move(path)); }

 private:
  std::vector<std::pair<HKEY, std::wstring>> keys_;
};

// Keeps a key tree as it was at construction: removed for the scope, written back at its end.
class SavedKeyTree {
 public:
  SavedKeyTree(HKEY root, std::wstring path);
  ~SavedKeyTree();
  SavedKeyTree(const SavedKeyTree&) = delete;
  SavedKeyTree& operator=(const SavedKeyTree&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  RegistryTree saved_;
};

}  // namespace tovalin::win32::testing
