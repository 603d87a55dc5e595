// Where the shared corpus keeps the document an exported .frm/.frx pair was saved with.
#pragma once

#include <filesystem>
#include <vector>

namespace tovalin::testing {

// The corpus documents that may hold the form of the exported `frm`: those of the same source
// folder, the document whose name appears in the export's path first. Empty for exports kept
// without their document.
std::vector<std::filesystem::path> DocumentsOfExport(const std::filesystem::path& corpus,
                                                     const std::filesystem::path& frm);

}  // namespace tovalin::testing
