// Any bytes given as a decompressed dir stream end in the project's description or a
// FormatError; the same bytes as text go through the PROJECT stream and \x03VBFrame parsers.
// Seeds (seeds/dir_stream_fuzz/, made by hand): small dir streams with every record kind, the
// PROJECTVERSION quirk, damaged references and a module count larger than its records.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/office/dir_stream.h"
#include "host/office/format_error.h"
#include "host/office/project_stream.h"
#include "host/office/vba_project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    tovalin::DirInfo info = tovalin::ParseDirStream(std::span<const uint8_t>(data, size), "fuzz");
    tovalin::ApplyModuleKinds(tovalin::ParseProjectStream(text), info.modules);
  } catch (const tovalin::FormatError&) {
  }
  tovalin::ParseVbFrame(text);
  return 0;
}
