// A minimal ITypeInfo that names an object's type: GetDocumentation(MEMBERID_NIL) gives the
// name, which is how the runtime's TypeName learns an object's class. It describes no members.
#pragma once

#include <oaidl.h>

#include <string>

namespace tovalin::fake {

// A new type description named `type_name`, holding one reference for the caller.
ITypeInfo* NewNamedTypeInfo(std::string type_name);

}  // namespace tovalin::fake
