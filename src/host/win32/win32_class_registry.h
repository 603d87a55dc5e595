// The class registry question on Windows: a key of that name directly under
// HKEY_CLASSES_ROOT, opened and closed again.
#pragma once

#include "host/services.h"

namespace tovalin::win32 {

class Win32ClassRegistry : public ClassRegistry {
 public:
  // False for a name holding a NUL, which the registry would read cut short.
  bool KeyExists(const std::string& name) override;
};

}  // namespace tovalin::win32
