// Controls of other libraries that forms commonly hold (the Windows common controls, RefEdit and
// the like): the CLSIDs they are stored under, the TypeName the editor reports for them and the
// reference name of the library that defines them, so that a form's control can be named, and
// the class registry can answer for the classes a machine with those libraries registers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/office/designer_records.h"

namespace tovalin {

// "{BDD1F04B-858B-11D1-B16A-00C0F0283628}" (upper-case digits, as the registry writes it) as a
// file stores the CLSID: Data1 to Data3 little-endian, then the last eight bytes in order. For
// tables written in the source; a malformed text stops the build.
consteval Guid ClsidOf(std::string_view text) {
  if (text.size() != 38 || text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' ||
      text[24] != '-' || text[37] != '}') {
    throw "a CLSID is written as {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
  }
  auto digit = [](char c) -> uint8_t {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
    throw "a CLSID is written with upper-case hexadecimal digits";
  };
  auto byte_at = [&](size_t at) {
    return static_cast<uint8_t>(digit(text[at]) << 4 | digit(text[at + 1]));
  };
  Guid guid{};
  for (size_t i = 0; i < 4; ++i) guid[3 - i] = byte_at(1 + 2 * i);
  guid[5] = byte_at(10);
  guid[4] = byte_at(12);
  guid[7] = byte_at(15);
  guid[6] = byte_at(17);
  guid[8] = byte_at(20);
  guid[9] = byte_at(22);
  for (size_t i = 0; i < 6; ++i) guid[10 + i] = byte_at(25 + 2 * i);
  return guid;
}

struct KnownActiveXControl {
  std::string_view type_name;            // "ListView", as TypeName reports it
  std::string_view library;              // the library's reference name: "MSComctlLib"
  std::string_view library_file;         // "MSCOMCTL.OCX"
  std::string_view library_description;  // the library's own description
  // Every CLSID the control has been registered under: security updates of some libraries
  // gave their controls new CLSIDs, and forms saved since then store the new ones.
  std::span<const Guid> clsids;
};

// Every known control, one entry per control.
std::span<const KnownActiveXControl> KnownActiveXControls();

// The known control stored under `clsid`, or null.
const KnownActiveXControl* FindActiveXControl(const Guid& clsid);

// The class registry keys the known controls imply, library + "." + TypeName
// ("MSComctlLib.ListView"), one for each entry, in table order.
std::vector<std::string> KnownActiveXClassKeys();

// The size a control keeps at the start of its own data in the layout many libraries share
// (the signature 0x12344321, a byte count of at least 8, then the width and height in
// HIMETRIC); nullopt for data in any other layout or too short to hold it.
std::optional<HimetricSize> PersistedExtent(std::span<const uint8_t> data);

}  // namespace tovalin
