#include "host/office/document_reader.h"

namespace tovalin {

bool LooksLikeDocument(const std::string&) { return false; }

LoadedDescription OpenDocument(const std::string& path) {
  throw DocumentError(DocumentProblem::kNotADocument, path + ": is not an Office document");
}

}  // namespace tovalin
