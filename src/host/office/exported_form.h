// Reads forms as the VBA editor exports them: a .frm text (a header with the caption and the
// client size, then the module's attribute lines and code) and a .frx beside it (a short header,
// then a compound file whose root is the form's designer storage).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "host/memory/project_loader.h"

namespace tovalin {

// True when the bytes start like a form file the VBA editor exported ("VERSION 5.00", then the
// form's Begin line).
bool LooksLikeExportedForm(std::span<const uint8_t> first_bytes);

// Opens one exported form (`path` is its .frm) or every exported form in a folder (`path` is the
// folder; other files in it are passed over) as a project holding those forms. The .frm texts are
// decoded from `code_page`, which also becomes the output code page. A missing or damaged .frx
// makes that form's designer fail; the form's code still reads. Throws DocumentError naming the
// file and the cause when nothing can be read.
LoadedDescription OpenExportedForms(const std::string& path, uint32_t code_page);

}  // namespace tovalin
