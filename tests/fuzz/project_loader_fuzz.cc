// Any bytes given as a project description end in a loaded description or a DescriptionError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/memory/project_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    tovalin::LoadProjectDescription(std::string_view(reinterpret_cast<const char*>(data), size),
                                    "fuzz.json");
  } catch (const tovalin::DescriptionError&) {
  }
  return 0;
}
