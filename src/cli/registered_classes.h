// A class registry that also holds the keys named on the command line.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/services.h"

namespace tovalin {

class ExtendedClassRegistry : public ClassRegistry {
 public:
  // `base` may be null: then only `names` exist.
  ExtendedClassRegistry(std::shared_ptr<ClassRegistry> base, std::vector<std::string> names)
      : base_(std::move(base)), names_(std::move(names)) {}
  // Key names match ignoring ASCII case, as registry keys do.
  bool KeyExists(const std::string& name) override;

 private:
  std::shared_ptr<ClassRegistry> base_;
  std::vector<std::string> names_;
};

}  // namespace tovalin
