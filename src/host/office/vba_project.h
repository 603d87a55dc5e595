// The VBA project storage: the dir stream (code page, project name, references, modules), the
// PROJECT stream (which modules are documents, classes, standard modules and designers), and
// each module's source text, decompressed and decoded to UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/office/compound_file.h"

namespace tovalin {

// Which record describes a reference: a registered type library (REFERENCEREGISTERED), a
// control's type library (REFERENCECONTROL, with or without REFERENCEORIGINAL), another VBA
// project (REFERENCEPROJECT), or none that could be read.
enum class VbaReferenceKind { kUnknown, kRegistered, kControl, kProject };

struct VbaReference {
  std::string name;  // REFERENCENAME, decoded to UTF-8; empty when the reference has none
  // False when the reference's record could not be read whole; the editor would call it broken.
  bool usable = true;
  VbaReferenceKind kind = VbaReferenceKind::kUnknown;
  // The library's LIBID ("*\G{...}#2.0#0#path#description"; for a project "*\C" and its
  // path), UTF-8; for a control the original LIBID when present. Empty when unreadable.
  std::string libid;
};

enum class VbaModuleKind { kStandard, kClass, kDocument, kDesigner };

struct VbaModule {
  std::string name;         // MODULENAME (the Unicode name when present), UTF-8
  std::string stream_name;  // MODULESTREAMNAME, UTF-8
  uint32_t text_offset = 0;
  bool procedural = false;  // MODULETYPE 0x21; 0x22 is a document, class or designer module
  VbaModuleKind kind = VbaModuleKind::kStandard;
  // The decompressed source exactly as stored, in the project's code page.
  std::string source_bytes;
  // The source decoded to UTF-8 (Attribute lines included); bytes the code page cannot decode
  // become U+FFFD.
  std::string source;
  // Set when the module's stream is missing or damaged; source and source_bytes are then empty.
  std::optional<std::string> source_error;
};

struct VbaProject {
  uint16_t code_page = 1252;
  std::string name;
  std::vector<VbaReference> references;
  std::vector<VbaModule> modules;  // in dir stream order
};

// Reads the project below `project_storage` (the storage holding PROJECT and VBA/). Throws
// FormatError when the project as a whole cannot be read (no VBA/dir, a damaged dir stream);
// damage confined to one module is recorded in that module's source_error.
VbaProject ReadVbaProject(const CompoundFile& file, CompoundFile::EntryId project_storage);

// The decoded \x03VBFrame text of a form: the stream of that name in the designer storage named
// after the module's stream, directly below `project_storage`. nullopt when the module has no
// designer storage or the storage no such stream; throws FormatError when the stream is damaged.
std::optional<std::string> ReadVbFrameText(const CompoundFile& file,
                                           CompoundFile::EntryId project_storage,
                                           const VbaModule& module, uint16_t code_page);

// The code as the editor's code pane shows it: every line that begins with "Attribute " (the
// module's header attributes and the member attributes inside procedures) removed, lines joined
// with CR LF.
std::string HideAttributeLines(std::string_view source);

// The values of a form's \x03VBFrame text that the export uses.
struct VbFrameInfo {
  std::optional<std::string> caption;
  std::optional<double> client_width;   // twips, as written (8850.001 for a form sized in points)
  std::optional<double> client_height;  // twips
};
VbFrameInfo ParseVbFrame(std::string_view text);

}  // namespace tovalin
