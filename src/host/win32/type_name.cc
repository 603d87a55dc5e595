#include "host/win32/type_name.h"

#include <ocidl.h>

#include "host/win32/bstr.h"
#include "host/win32/com_ptr.h"

namespace tovalin::win32 {
namespace {

std::string NameOf(ITypeInfo* type) {
  if (type == nullptr) return {};
  Bstr name;
  if (FAILED(type->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr))) {
    return {};
  }
  return BstrToUtf8(name.get());
}

std::string ClassName(IDispatch* object) {
  ComPtr<IProvideClassInfo> provider =
      ComPtr<IDispatch>(object).Query<IProvideClassInfo>(IID_IProvideClassInfo);
  if (!provider) return {};
  ComPtr<ITypeInfo> type;
  if (FAILED(provider->GetClassInfo(type.put()))) return {};
  return NameOf(type.get());
}

std::string InterfaceName(IDispatch* object) {
  ComPtr<ITypeInfo> type;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, type.put()))) return {};
  std::string name = NameOf(type.get());
  if (name.size() > 1 && name.front() == '_') name.erase(0, 1);
  return name;
}

}  // namespace

std::string DispatchTypeName(IDispatch* object) {
  if (object == nullptr) return "Nothing";
  std::string name = ClassName(object);
  if (name.empty()) name = InterfaceName(object);
  return name.empty() ? "Object" : name;
}

}  // namespace tovalin::win32
