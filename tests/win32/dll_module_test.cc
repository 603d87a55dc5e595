// The built tovalin.dll read back as a file: its exports, its resources and its type library.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <vector>

#include "add_in_identity.h"
#include "common/app_info.h"
#include "harness_support.h"
#include "host/win32/bstr.h"
#include "host/win32/com_ptr.h"

namespace tovalin::win32::testing {
namespace {

class DllModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryW(AddInModulePath().c_str());
    ASSERT_NE(module_, nullptr) << "cannot load " << Narrow(AddInModulePath()) << ": error "
                                << GetLastError();
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HMODULE module_ = nullptr;
};

TEST_F(DllModuleTest, ExportsTheFourEntryPointsByNameAtFixedOrdinals) {
  const char* const names[] = {"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                               "DllUnregisterServer"};
  for (WORD ordinal = 1; ordinal <= 4; ++ordinal) {
    const char* name = names[ordinal - 1];
    FARPROC by_name = GetProcAddress(module_, name);
    FARPROC by_ordinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
    EXPECT_NE(by_name, nullptr) << name;
    EXPECT_EQ(by_name, by_ordinal) << name << " is not ordinal " << ordinal;
  }
  EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(5)), nullptr) << "an export beyond the four";
}

// Reads one value of the version resource.
class VersionInfo {
 public:
  explicit VersionInfo(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    data_.resize(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) data_.clear();
  }
  bool empty() const { return data_.empty(); }
  bool Query(const std::wstring& block, const void** value, UINT* length) const {
    void* found = nullptr;
    if (!VerQueryValueW(data_.data(), block.c_str(), &found, length)) return false;
    *value = found;
    return found != nullptr;
  }
  // A string of the U.S. English, Unicode table (040904B0); false when it is absent.
  bool String(const std::wstring& name, std::string* text) const {
    const void* value = nullptr;
    UINT length = 0;
    if (!Query(L"\\StringFileInfo\\040904B0\\" + name, &value, &length)) return false;
    std::wstring wide(static_cast<const wchar_t*>(value), length);
    while (!wide.empty() && wide.back() == L'\0') wide.pop_back();
    *text = Narrow(wide);
    return true;
  }

 private:
  std::vector<BYTE> data_;
};

TEST_F(DllModuleTest, CarriesTheVersionResource) {
  const VersionInfo info(AddInModulePath());
  ASSERT_FALSE(info.empty());

  const void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(info.Query(L"\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  // 1.1.0.116: major.minor in the high word, 0.revision in the low one.
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0x00000074u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0x00000074u);
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));
  EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));

  ASSERT_TRUE(info.Query(L"\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u) << "exactly one translation";
  WORD translation[2];
  std::memcpy(translation, value, sizeof translation);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04B0);

  const std::pair<const wchar_t*, std::string> strings[] = {
      {L"FileVersion", "1.01.0116"},
      {L"ProductVersion", "1.01.0116"},
      {L"FileDescription", "VBA add-in that exports forms to Visual Basic"},
      {L"ProductName", "tovalin"},
      {L"InternalName", "tovalin"},
      {L"OriginalFilename", "tovalin.dll"},
      {L"OLESelfRegister", ""},
      {L"CompanyName", std::string(kMakerName)},
      {L"LegalCopyright", std::string(kCopyright)},
  };
  for (const auto& [name, expected] : strings) {
    std::string text;
    EXPECT_TRUE(info.String(name, &text)) << Narrow(name) << " is missing";
    EXPECT_EQ(text, expected) << Narrow(name);
  }
  std::string comments;
  ASSERT_TRUE(info.String(L"Comments", &comments));
  EXPECT_NE(comments.find(kMakerEmail), std::string::npos) << comments;
  EXPECT_NE(comments.find(kMakerWebAddress), std::string::npos) << comments;
}

TEST_F(DllModuleTest, CarriesTheAddInInterfaceIdentifierResource) {
  HRSRC resource = FindResourceW(module_, MAKEINTRESOURCEW(1), L"_IID_ADDIN");
  ASSERT_NE(resource, nullptr);
  ASSERT_EQ(SizeofResource(module_, resource), 20u);
  const void* bytes = LockResource(LoadResource(module_, resource));
  ASSERT_NE(bytes, nullptr);
  uint32_t length = 0;
  std::memcpy(&length, bytes, 4);
  EXPECT_EQ(length, 16u);
  IID iid;
  std::memcpy(&iid, static_cast<const char*>(bytes) + 4, 16);
  EXPECT_EQ(GuidText(iid), GuidText(kAddInIid));
}

// Owners of the attribute structures a type library hands out.
struct TypeAttr {
  ITypeInfo* info;
  TYPEATTR* attr = nullptr;
  explicit TypeAttr(ITypeInfo* type_info) : info(type_info) { info->GetTypeAttr(&attr); }
  ~TypeAttr() {
    if (attr != nullptr) info->ReleaseTypeAttr(attr);
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
};

std::string MemberName(ITypeInfo* info, MEMBERID id) {
  Bstr name;
  if (FAILED(info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr))) return "?";
  return BstrToUtf8(name.get());
}

TEST_F(DllModuleTest, EmbedsTheTypeLibraryOfTheAddInClassOnly) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadTypeLibEx(AddInModulePath().c_str(), REGKIND_NONE, library.put()), S_OK);

  TLIBATTR* lib_attr = nullptr;
  ASSERT_EQ(library->GetLibAttr(&lib_attr), S_OK);
  EXPECT_EQ(GuidText(lib_attr->guid), GuidText(kTypeLibId));
  EXPECT_EQ(lib_attr->wMajorVerNum, 1);
  EXPECT_EQ(lib_attr->wMinorVerNum, 0);
  EXPECT_EQ(lib_attr->lcid, 0x0409u);
  library->ReleaseTLibAttr(lib_attr);
  Bstr name;
  Bstr help;
  ASSERT_EQ(library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(BstrToUtf8(name.get()), "Tovalin");
  EXPECT_EQ(BstrToUtf8(help.get()), "Export Forms to Visual Basic");
  // The editor's interfaces must never be registered from this library.
  EXPECT_EQ(library->GetTypeInfoCount(), 2u);

  // _AddIn: a dual interface whose vtable part holds the three properties, each a get and a
  // put-by-reference, in the order of the add-in's members.
  ComPtr<ITypeInfo> dispatch_info;
  ASSERT_EQ(library->GetTypeInfoOfGuid(kAddInIid, dispatch_info.put()), S_OK);
  {
    TypeAttr attr(dispatch_info.get());
    ASSERT_NE(attr.attr, nullptr);
    const WORD flags = TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE;
    EXPECT_EQ(attr.attr->wTypeFlags & flags, flags);
    EXPECT_EQ(MemberName(dispatch_info.get(), MEMBERID_NIL), "_AddIn");
  }
  ComPtr<ITypeInfo> interface_info = dispatch_info;
  {
    TypeAttr attr(dispatch_info.get());
    if (attr.attr->typekind == TKIND_DISPATCH) {
      HREFTYPE vtable = 0;
      ASSERT_EQ(dispatch_info->GetRefTypeOfImplType(-1, &vtable), S_OK);
      ASSERT_EQ(dispatch_info->GetRefTypeInfo(vtable, interface_info.put()), S_OK);
    }
  }
  TypeAttr interface_attr(interface_info.get());
  ASSERT_EQ(interface_attr.attr->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(interface_attr.attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  const std::pair<std::string, INVOKEKIND> expected[] = {
      {"IDE", INVOKE_PROPERTYGET},
      {"IDE", INVOKE_PROPERTYPUTREF},
      {"MenuItem", INVOKE_PROPERTYGET},
      {"MenuItem", INVOKE_PROPERTYPUTREF},
      {"MenuItemHandler", INVOKE_PROPERTYGET},
      {"MenuItemHandler", INVOKE_PROPERTYPUTREF},
  };
  ASSERT_EQ(interface_attr.attr->cFuncs, 6);
  for (UINT index = 0; index < 6; ++index) {
    FUNCDESC* function = nullptr;
    ASSERT_EQ(interface_info->GetFuncDesc(index, &function), S_OK);
    EXPECT_EQ(MemberName(interface_info.get(), function->memid), expected[index].first) << index;
    EXPECT_EQ(function->invkind, expected[index].second) << index;
    interface_info->ReleaseFuncDesc(function);
  }

  // AddIn: creatable, with _AddIn as its default interface.
  ComPtr<ITypeInfo> class_info;
  ASSERT_EQ(library->GetTypeInfoOfGuid(kAddInClsid, class_info.put()), S_OK);
  TypeAttr class_attr(class_info.get());
  EXPECT_EQ(class_attr.attr->typekind, TKIND_COCLASS);
  EXPECT_TRUE(class_attr.attr->wTypeFlags & TYPEFLAG_FCANCREATE);
  EXPECT_EQ(MemberName(class_info.get(), MEMBERID_NIL), "AddIn");
  ASSERT_EQ(class_attr.attr->cImplTypes, 1);
  INT impl_flags = 0;
  ASSERT_EQ(class_info->GetImplTypeFlags(0, &impl_flags), S_OK);
  EXPECT_TRUE(impl_flags & IMPLTYPEFLAG_FDEFAULT);
  HREFTYPE default_ref = 0;
  ASSERT_EQ(class_info->GetRefTypeOfImplType(0, &default_ref), S_OK);
  ComPtr<ITypeInfo> default_info;
  ASSERT_EQ(class_info->GetRefTypeInfo(default_ref, default_info.put()), S_OK);
  TypeAttr default_attr(default_info.get());
  EXPECT_EQ(GuidText(default_attr.attr->guid), GuidText(kAddInIid));
}

}  // namespace
}  // namespace tovalin::win32::testing
