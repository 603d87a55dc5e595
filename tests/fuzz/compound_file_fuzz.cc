// Any bytes opened as a compound file end in a parsed file whose every stream reads, or in a
// FormatError.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/office/compound_file.h"
#include "host/office/format_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const tovalin::CompoundFile file = tovalin::CompoundFile::Open(
        std::make_shared<const std::vector<uint8_t>>(data, data + size), "fuzz.bin");
    std::vector<tovalin::CompoundFile::EntryId> storages = {file.root()};
    while (!storages.empty()) {
      const tovalin::CompoundFile::EntryId storage = storages.back();
      storages.pop_back();
      for (tovalin::CompoundFile::EntryId id : file.Children(storage)) {
        (void)file.PathOf(id);
        // Every listed name is found again, unless it held an unpaired surrogate.
        const std::string& name = file.entry(id).name;
        if (name.find("\xEF\xBF\xBD") == std::string::npos && !file.Find(storage, name)) {
          __builtin_trap();
        }
        if (file.entry(id).type == tovalin::CompoundFile::EntryType::kStorage) {
          storages.push_back(id);
          continue;
        }
        try {
          (void)file.ReadStream(id);
        } catch (const tovalin::FormatError&) {
        }
      }
    }
  } catch (const tovalin::FormatError&) {
  }
  return 0;
}
