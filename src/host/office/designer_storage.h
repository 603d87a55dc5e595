// Reads a form's designer storage (its "f" and "o" streams and the storages of its Frames,
// MultiPages and Pages) into the in-memory form. Damage confined to one control makes that
// control's reads fail; damage to the form's own "f" stream fails the whole read.
#pragma once

#include <cstdint>
#include <memory>

#include "host/memory/memory_model.h"
#include "host/office/compound_file.h"
#include "host/office/vba_project.h"

namespace tovalin {

// How deep Frames, MultiPages and Pages may nest below the form; deeper storages are read as
// damaged controls.
inline constexpr int kMaxDesignerDepth = 64;

// The form stored in `storage`. `frame` is what its \x03VBFrame text says (the client size);
// `code_page` is the project's, in which font names stored as bytes are read (0: the code page
// of each font's character set). Throws FormatError when the form's own "f" stream is missing or
// damaged.
std::shared_ptr<MemoryUserForm> ReadDesigner(const CompoundFile& file,
                                             CompoundFile::EntryId storage,
                                             const VbFrameInfo& frame, uint32_t code_page = 0);

}  // namespace tovalin
