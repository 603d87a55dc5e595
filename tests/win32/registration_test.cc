// DllRegisterServer and DllUnregisterServer, checked against snapshots of the registry: what
// registration writes, that it writes nothing else, and that unregistration removes all of it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "add_in_identity.h"
#include "common/app_info.h"
#include "harness_support.h"
#include "registered_add_in.h"
#include "registry_tree.h"

namespace tovalin::win32::testing {
namespace {

const std::wstring kMachineClasses = L"Software\\Classes";
#ifdef _WIN64
const wchar_t kTypeLibPlatform[] = L"win64";
#else
const wchar_t kTypeLibPlatform[] = L"win32";
#endif

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The key path in lower case without any "Wow6432Node" folder: a 32-bit view may show keys under
// the redirected folder, and they count as the key they stand for.
std::wstring Plain(const std::wstring& path) {
  std::wstring plain;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    const std::wstring part = Lower(path.substr(start, end - start));
    if (part != L"wow6432node") plain += (plain.empty() ? L"" : L"\\") + part;
    start = end + 1;
  }
  return plain;
}

// True when `path` is `root` or lies under it.
bool IsWithin(const std::wstring& path, const std::wstring& root) {
  const std::wstring plain = Plain(path);
  const std::wstring prefix = Plain(root);
  return plain == prefix || plain.rfind(prefix + L"\\", 0) == 0;
}

// The changes that lie outside every one of `roots`.
std::vector<RegistryChange> Outside(const std::vector<RegistryChange>& changes,
                                    const std::vector<std::wstring>& roots) {
  std::vector<RegistryChange> outside;
  for (const RegistryChange& change : changes) {
    if (std::none_of(roots.begin(), roots.end(),
                     [&](const std::wstring& root) { return IsWithin(change.key, root); })) {
      outside.push_back(change);
    }
  }
  return outside;
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(AddInModulePath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load " << Narrow(AddInModulePath());
    // A clean start, whatever an earlier run left.
    CallEntryPoint(module_, "DllUnregisterServer");
    CreateRegistrationParents();
  }
  void TearDown() override {
    if (module_ == nullptr) return;
    CallEntryPoint(module_, "DllUnregisterServer");
    FreeLibrary(module_);
  }

  std::wstring ModuleFileName() const {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module_, path, MAX_PATH);
    return path;
  }

  HMODULE module_ = nullptr;
  const std::wstring class_key_ = kUserClasses + L"\\CLSID\\" + GuidText(kAddInClsid);
  const std::wstring prog_id_key_ = kUserClasses + L"\\" + kProgId;
  const std::wstring type_lib_key_ = L"TypeLib\\" + GuidText(kTypeLibId);
  const std::wstring interface_key_ = L"Interface\\" + GuidText(kAddInIid);
  const std::wstring editor_entry_ = kEditorAddIns + L"\\" + kProgId;
};

TEST_F(RegistrationTest, RegistersTheClassAndTheEditorEntryAndUnregistersExactlyThat) {
  const RegistryTree user_before = SnapshotRegistry(HKEY_CURRENT_USER, L"");
  const RegistryTree machine_before = SnapshotRegistry(HKEY_LOCAL_MACHINE, kMachineClasses);
  ASSERT_EQ(CallEntryPoint(module_, "DllRegisterServer"), S_OK);

  // The COM class, its ProgID and its type library, for the current user.
  const std::optional<std::wstring> server =
      ReadString(HKEY_CURRENT_USER, class_key_ + L"\\InprocServer32", L"");
  ASSERT_TRUE(server.has_value());
  EXPECT_EQ(Lower(*server), Lower(ModuleFileName()));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, class_key_ + L"\\InprocServer32", L"ThreadingModel"),
            L"Apartment");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, class_key_ + L"\\ProgID", L""), kProgId);
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, class_key_ + L"\\TypeLib", L""), GuidText(kTypeLibId));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, prog_id_key_ + L"\\CLSID", L""), GuidText(kAddInClsid));

  // The type library goes to the user's classes; Wine registers a per-user library for the
  // machine instead.
  const std::wstring user_type_lib = kUserClasses + L"\\" + type_lib_key_;
  const std::wstring machine_type_lib = kMachineClasses + L"\\" + type_lib_key_;
  const bool per_user = KeyExists(HKEY_CURRENT_USER, user_type_lib);
  ASSERT_TRUE(per_user || (RunningUnderWine() && KeyExists(HKEY_LOCAL_MACHINE, machine_type_lib)))
      << "the type library is not registered";
  const HKEY type_lib_root = per_user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring classes = per_user ? kUserClasses : kMachineClasses;
  const std::optional<std::wstring> library_path = ReadString(
      type_lib_root, classes + L"\\" + type_lib_key_ + L"\\1.0\\409\\" + kTypeLibPlatform, L"");
  ASSERT_TRUE(library_path.has_value());
  EXPECT_EQ(Lower(*library_path), Lower(ModuleFileName()));
  EXPECT_EQ(ReadString(type_lib_root, classes + L"\\" + interface_key_ + L"\\TypeLib", L""),
            GuidText(kTypeLibId));

  // The editor's add-in entry, in the list of this module's architecture only.
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, editor_entry_, L"FriendlyName"),
            L"Export Forms to Visual Basic");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, editor_entry_, L"Description"),
            Widen(kProductDescription));
  // 3: the editor connects the add-in at each start.
  EXPECT_EQ(ReadDword(HKEY_CURRENT_USER, editor_entry_, L"LoadBehavior"), 3u);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kOtherEditorAddIns + L"\\" + kProgId));

  // Nothing else: in particular no Interface key of the editor's own interfaces.
  const std::vector<RegistryChange> user_changes =
      RegistryDifferences(user_before, SnapshotRegistry(HKEY_CURRENT_USER, L""));
  EXPECT_EQ(DescribeChanges(
                Outside(user_changes, {class_key_, prog_id_key_, user_type_lib,
                                       kUserClasses + L"\\" + interface_key_, editor_entry_})),
            "");
  std::vector<std::wstring> machine_roots;
  if (RunningUnderWine()) machine_roots = {type_lib_key_, interface_key_};
  const std::vector<RegistryChange> machine_changes =
      RegistryDifferences(machine_before, SnapshotRegistry(HKEY_LOCAL_MACHINE, kMachineClasses));
  EXPECT_EQ(DescribeChanges(Outside(machine_changes, machine_roots)), "");

  ASSERT_EQ(CallEntryPoint(module_, "DllUnregisterServer"), S_OK);
  EXPECT_EQ(
      DescribeChanges(RegistryDifferences(user_before, SnapshotRegistry(HKEY_CURRENT_USER, L""))),
      "");
  EXPECT_EQ(DescribeChanges(RegistryDifferences(
                machine_before, SnapshotRegistry(HKEY_LOCAL_MACHINE, kMachineClasses))),
            "");
}

TEST_F(RegistrationTest, RegisteringAgainChangesNothing) {
  ASSERT_EQ(CallEntryPoint(module_, "DllRegisterServer"), S_OK);
  const RegistryTree once = SnapshotRegistry(HKEY_CURRENT_USER, L"");
  ASSERT_EQ(CallEntryPoint(module_, "DllRegisterServer"), S_OK);
  EXPECT_EQ(DescribeChanges(RegistryDifferences(once, SnapshotRegistry(HKEY_CURRENT_USER, L""))),
            "");
}

}  // namespace
}  // namespace tovalin::win32::testing
