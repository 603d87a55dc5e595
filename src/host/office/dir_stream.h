// The decompressed dir stream of a VBA project ([MS-OVBA] 2.3.4.2): the project's code page and
// name, its references and its modules. The stream is a sequence of records (Id u16, Size u32,
// Size bytes), read in one loop that also takes the records newer files add and skips unknown
// ones by their size. One record breaks the rule: PROJECTVERSION says Size 4 but holds 6 bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/office/vba_project.h"

namespace tovalin {

struct DirInfo {
  uint16_t code_page = 1252;  // PROJECTCODEPAGE; 1252 when the stream has none
  std::string project_name;   // PROJECTNAME, UTF-8
  std::vector<VbaReference> references;
  // name, stream_name, text_offset and procedural set; kind and the sources are left for the
  // PROJECT stream and the module streams. A module whose records are unusable (a MODULEOFFSET
  // of the wrong size, no MODULESTREAMNAME) has source_error set already.
  std::vector<VbaModule> modules;
  // PROJECTMODULES as stored. The modules are the MODULE records actually present, which a
  // damaged stream may make fewer or more.
  uint16_t declared_module_count = 0;
};

// Parses a decompressed dir stream; names are decoded from PROJECTCODEPAGE, Unicode forms
// (MODULENAMEUNICODE, the Unicode stream and reference names) preferred where present. A
// reference whose records cannot be read whole is kept with usable = false. Throws FormatError
// naming `where` when the stream itself cannot be read on: a record that runs past its end.
DirInfo ParseDirStream(std::span<const uint8_t> dir, const std::string& where);

}  // namespace tovalin
