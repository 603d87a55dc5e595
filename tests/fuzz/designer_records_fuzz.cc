// Any bytes given to a designer record decoder end in its record or a FormatError. The first
// byte chooses the decoder (the container stream, one of the seven control records, or a
// MultiPage's "x" stream, whose page count is the second byte); the rest is the input.
// Seeds (seeds/designer_records_fuzz/, made with support/designer_record_builder.h): an "f"
// stream with a font, a class table and sites, each control record with strings and pictures,
// and an "x" stream of two pages.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "host/office/designer_records.h"
#include "host/office/format_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const std::span<const uint8_t> input(data + 1, size - 1);
  const std::string where = "fuzz";
  try {
    switch (data[0] % 9) {
      case 0:
        tovalin::DecodeContainerStream(input, where, data[0] < 128 ? 0 : 932);
        break;
      case 1:
        tovalin::DecodeCommandButton(input, where, 0);
        break;
      case 2:
        tovalin::DecodeLabel(input, where, 0);
        break;
      case 3:
        tovalin::DecodeMorphData(input, where, 0);
        break;
      case 4:
        tovalin::DecodeImage(input, where, 0);
        break;
      case 5:
        tovalin::DecodeScrollBar(input, where, 0);
        break;
      case 6:
        tovalin::DecodeSpinButton(input, where, 0);
        break;
      case 7:
        tovalin::DecodeTabStrip(input, where, 0);
        break;
      case 8:
        if (!input.empty()) tovalin::DecodeMultiPageStream(input.subspan(1), input[0], where);
        break;
    }
  } catch (const tovalin::FormatError&) {
  }
  return 0;
}
