// Opens an Office document (or a bare VBA project part) as the editor's object model: detects
// the container by content, finds the VBA project and reads it into the in-memory model.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "host/memory/project_loader.h"

namespace tovalin {

// Why a document could not be opened.
enum class DocumentProblem {
  kUnreadable,      // the file cannot be read at all
  kNotADocument,    // none of the containers this program reads
  kEncrypted,       // protected with a password
  kNoVbaProject,    // a document without macros
  kDamaged,         // a container or the VBA project is malformed
};

class DocumentError : public std::runtime_error {
 public:
  DocumentError(DocumentProblem problem, const std::string& message)
      : std::runtime_error(message), problem_(problem) {}
  DocumentProblem problem() const { return problem_; }

 private:
  DocumentProblem problem_;
};

// True when the file starts like a container this program reads (compound file, zip package).
bool LooksLikeDocument(const std::string& path);

// Throws DocumentError with a message naming the file and the cause.
LoadedDescription OpenDocument(const std::string& path);

}  // namespace tovalin
