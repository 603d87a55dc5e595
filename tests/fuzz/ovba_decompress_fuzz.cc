// Any bytes given as a compressed container decompress within the output limit or end in a
// FormatError; the text that comes out goes through the code pane's view and the decoders of a
// single-byte and a double-byte code page.
// Seeds (seeds/ovba_decompress_fuzz/, made by hand): the example container of [MS-OVBA], a raw
// chunk followed by a compressed one, and a chunk of long overlapping copies.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "host/office/code_page_decoder.h"
#include "host/office/format_error.h"
#include "host/office/ovba_compression.h"
#include "host/office/vba_project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tovalin::CodePageDecoder western(1252);
  static tovalin::CodePageDecoder japanese(932);
  const std::span<const uint8_t> input(data, size);
  std::string text;
  try {
    tovalin::DecompressContainerTo(input, "fuzz", tovalin::DecompressionLimit(size, 1 << 24), text);
  } catch (const tovalin::FormatError&) {
    return 0;
  }
  tovalin::HideAttributeLines(text);
  western.Decode(text);
  japanese.Decode(text);
  return 0;
}
