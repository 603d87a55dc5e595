// TypeName(object) for a COM object, as the runtime's TypeName finds it: the name of the
// object's class from IProvideClassInfo when the object offers it, else the name of the type
// IDispatch::GetTypeInfo describes (ITypeInfo::GetDocumentation of MEMBERID_NIL) without the
// leading underscore of a default interface ("_VBComponent" is a "VBComponent"); "Object" when
// neither says.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace tovalin::win32 {

std::string DispatchTypeName(IDispatch* object);

}  // namespace tovalin::win32
