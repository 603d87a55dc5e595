#include "cli/registered_classes.h"

#include "host/memory/memory_model.h"

namespace tovalin {

bool ExtendedClassRegistry::KeyExists(const std::string& name) {
  for (const std::string& known : names_) {
    if (EqualsIgnoringAsciiCase(known, name)) return true;
  }
  return base_ != nullptr && base_->KeyExists(name);
}

}  // namespace tovalin
