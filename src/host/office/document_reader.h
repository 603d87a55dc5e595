// Opens an Office document (or a bare VBA project part) as the editor's object model: detects
// the container by content, finds the VBA project and reads it into the in-memory model.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

#include "host/memory/project_loader.h"
#include "host/office/compound_file.h"
#include "host/office/vba_project.h"

namespace tovalin {

// Why a document could not be opened.
enum class DocumentProblem {
  kUnreadable,    // the file cannot be read at all
  kNotADocument,  // none of the containers this program reads
  kEncrypted,     // protected with a password
  kNoVbaProject,  // a document without macros
  kDamaged,       // a container or the VBA project is malformed
};

class DocumentError : public std::runtime_error {
 public:
  DocumentError(DocumentProblem problem, const std::string& message)
      : std::runtime_error(message), problem_(problem) {}
  DocumentProblem problem() const { return problem_; }

 private:
  DocumentProblem problem_;
};

// True when the bytes start like a container this program reads (compound file, zip package).
bool LooksLikeDocument(std::span<const uint8_t> first_bytes);

// A document's VBA project as stored: the compound file and storage that hold it, and what was
// read from there.
struct DocumentProject {
  std::shared_ptr<CompoundFile> file;
  CompoundFile::EntryId storage;
  VbaProject project;
};

// Both throw DocumentError with a message naming the file and the cause.
DocumentProject OpenDocumentProject(const std::string& path);
// The document as the editor's object model shows it.
LoadedDescription OpenDocument(const std::string& path);

}  // namespace tovalin
