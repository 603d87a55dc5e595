#include "host/office/document_reader.h"

#include <utility>

#include "host/host_error.h"
#include "host/memory/component_name.h"
#include "host/memory/memory_model.h"
#include "host/memory/message_text.h"
#include "host/office/activex_controls.h"
#include "host/office/compound_file.h"
#include "host/office/designer_storage.h"
#include "host/office/file_bytes.h"
#include "host/office/format_error.h"
#include "host/office/ooxml_package.h"
#include "host/office/powerpoint_vba.h"
#include "host/office/vba_project.h"

namespace tovalin {
namespace {

using Bytes = std::shared_ptr<const std::vector<uint8_t>>;

// Larger files are refused before they are read: no Office document comes near this.
constexpr uint64_t kMaxDocumentSize = uint64_t{1} << 30;
// A VBA project part inflated from a package may not exceed this.
constexpr uint64_t kMaxProjectPartSize = uint64_t{512} << 20;

[[noreturn]] void Fail(DocumentProblem problem, const std::string& path, const std::string& why) {
  throw DocumentError(problem, path + ": " + why);
}

bool HoldsVbaProject(const CompoundFile& file, CompoundFile::EntryId storage) {
  return file.FindPath(storage, "VBA/dir").has_value();
}

// An encrypted package keeps the real document in EncryptedPackage; an encrypted presentation
// replaces its summary by EncryptedSummary.
bool IsEncrypted(const CompoundFile& file) {
  const CompoundFile::EntryId root = file.root();
  return (file.Find(root, "EncryptionInfo") && file.Find(root, "EncryptedPackage")) ||
         file.Find(root, "EncryptedSummary");
}

std::optional<DocumentProject> LocateInCompoundFile(std::shared_ptr<CompoundFile> file) {
  const CompoundFile::EntryId root = file->root();
  // A bare project part, an Excel workbook, a Word document.
  if (HoldsVbaProject(*file, root)) return DocumentProject{file, root, {}};
  for (const char* storage_name : {"_VBA_PROJECT_CUR", "Macros"}) {
    if (auto storage = file->Find(root, storage_name);
        storage && HoldsVbaProject(*file, *storage)) {
      return DocumentProject{file, *storage, {}};
    }
  }
  // A presentation keeps its project as a compound file inside a record.
  if (file->Find(root, "PowerPoint Document")) {
    if (auto inner = ExtractPowerPointVbaProject(*file)) {
      auto project = std::make_shared<CompoundFile>(
          CompoundFile::Open(std::make_shared<const std::vector<uint8_t>>(std::move(*inner)),
                             file->name() + " (VBA project storage)"));
      if (HoldsVbaProject(*project, project->root()))
        return DocumentProject{project, project->root(), {}};
    }
  }
  return std::nullopt;
}

std::optional<DocumentProject> LocateInPackage(const Bytes& bytes, const std::string& path) {
  const ZipArchive package = ZipArchive::Open(bytes, path);
  const std::optional<std::string> part = FindVbaProjectPart(package);
  if (!part) return std::nullopt;
  const std::optional<size_t> member = package.Find(*part);
  if (!member) throw FormatError("the VBA project part " + *part + " is missing", path, 0);
  auto part_bytes =
      std::make_shared<const std::vector<uint8_t>>(package.Read(*member, kMaxProjectPartSize));
  if (!CompoundFile::HasSignature(*part_bytes)) {
    throw FormatError("the VBA project part is not a compound file", path + "/" + *part, 0);
  }
  auto file = std::make_shared<CompoundFile>(CompoundFile::Open(part_bytes, path + "/" + *part));
  if (!HoldsVbaProject(*file, file->root())) return std::nullopt;
  return DocumentProject{file, file->root(), {}};
}

int32_t ComponentTypeOf(VbaModuleKind kind) {
  switch (kind) {
    case VbaModuleKind::kStandard:
      return kStandardModule;
    case VbaModuleKind::kClass:
      return kClassModule;
    case VbaModuleKind::kDocument:
      return kDocumentModule;
    case VbaModuleKind::kDesigner:
      return kUserFormComponent;
  }
  return kStandardModule;
}

// What a form's \x03VBFrame text says (caption, client size); nothing when it has none.
VbFrameInfo FormFrame(const DocumentProject& at, const VbaModule& module) {
  const std::optional<std::string> text =
      ReadVbFrameText(*at.file, at.storage, module, at.project.code_page);
  if (!text) return {};
  return ParseVbFrame(*text);
}

// The form of a designer module, or the failure every read of it raises.
ObjectSlot<UserForm> FormDesigner(const DocumentProject& at, const VbaModule& module,
                                  const VbFrameInfo& frame) {
  const std::optional<CompoundFile::EntryId> storage =
      at.file->Find(at.storage, module.stream_name);
  if (!storage || at.file->entry(*storage).type != CompoundFile::EntryType::kStorage) {
    return HostError(kErrDeviceIo, at.file->name() + ": the designer storage of the form " +
                                       QuotedForMessage(module.name) + " is missing");
  }
  try {
    return ObjectSlot<UserForm>(ReadDesigner(*at.file, *storage, frame, at.project.code_page));
  } catch (const FormatError& e) {
    return HostError(kErrDeviceIo, e.what());
  }
}

LoadedDescription BuildModel(const DocumentProject& at, const std::string& path) {
  const VbaProject& project = at.project;
  auto memory_project = std::make_shared<MemoryProject>(project.name);
  for (const VbaReference& reference : project.references) {
    memory_project->AddReference(std::make_shared<MemoryReference>(
        Variant::String(reference.name), Variant::Boolean(!reference.usable)));
  }
  LoadedDescription loaded;
  for (const VbaModule& module : project.modules) {
    // A name that is no identifier can only come from a damaged or crafted file; it must never
    // become part of a file name.
    if (auto fault = ComponentNameFault(module.name)) {
      loaded.warnings.push_back(path + ": the module " + QuotedForMessage(module.name) +
                                " is left out: " + *fault);
      continue;
    }
    if (memory_project->FindComponent(module.name)) {
      loaded.warnings.push_back(path + ": the module " + QuotedForMessage(module.name) +
                                " is left out: a module of that name comes before it");
      continue;
    }
    const int32_t type = ComponentTypeOf(module.kind);
    auto component = std::make_shared<MemoryComponent>(module.name, type);
    if (module.source_error) {
      component->SetCodeModule(HostError(kErrDeviceIo, *module.source_error));
    } else {
      component->SetCodeModule(
          std::make_shared<MemoryCodeModule>(HideAttributeLines(module.source)));
    }
    if (type == kUserFormComponent) {
      VbFrameInfo frame;
      try {
        frame = FormFrame(at, module);
        if (frame.caption) component->properties().Set("Caption", Variant::String(*frame.caption));
      } catch (const FormatError& e) {
        component->properties().Set("Caption", HostError(kErrDeviceIo, e.what()));
      }
      component->SetDesigner(FormDesigner(at, module, frame));
    } else {
      component->SetDesigner(std::shared_ptr<UserForm>());
    }
    memory_project->AddComponent(std::move(component));
  }
  auto vbe = std::make_shared<MemoryVbe>();
  vbe->SetActiveProject(memory_project);
  loaded.vbe = vbe;
  loaded.code_page = project.code_page;
  // Without a registry to ask, the classes of the well-known controls count as registered.
  loaded.class_registry = std::make_shared<MemoryClassRegistry>(KnownActiveXClassKeys());
  return loaded;
}

}  // namespace

bool LooksLikeDocument(std::span<const uint8_t> first_bytes) {
  return CompoundFile::HasSignature(first_bytes) || ZipArchive::HasSignature(first_bytes);
}

DocumentProject OpenDocumentProject(const std::string& path) {
  Bytes bytes = ReadInputFile(path, kMaxDocumentSize);
  try {
    std::optional<DocumentProject> location;
    if (CompoundFile::HasSignature(*bytes)) {
      auto file = std::make_shared<CompoundFile>(CompoundFile::Open(bytes, path));
      if (IsEncrypted(*file) && !HoldsVbaProject(*file, file->root())) {
        Fail(DocumentProblem::kEncrypted, path, "is encrypted (protected with a password)");
      }
      location = LocateInCompoundFile(file);
    } else if (ZipArchive::HasSignature(*bytes)) {
      location = LocateInPackage(bytes, path);
    } else {
      Fail(DocumentProblem::kNotADocument, path,
           "is not an Office document, a VBA project part or a project description");
    }
    if (!location) Fail(DocumentProblem::kNoVbaProject, path, "holds no VBA project");
    // A package is not needed once its project part is inflated: free it before the project's
    // texts are read, which keeps the peak lower.
    bytes.reset();
    location->project = ReadVbaProject(*location->file, location->storage);
    return std::move(*location);
  } catch (const FormatError& e) {
    throw DocumentError(DocumentProblem::kDamaged,
                        path + ": is damaged: " + SanitizedForMessage(e.what()));
  }
}

LoadedDescription OpenDocument(const std::string& path) {
  const DocumentProject project = OpenDocumentProject(path);
  try {
    return BuildModel(project, path);
  } catch (const FormatError& e) {
    throw DocumentError(DocumentProblem::kDamaged,
                        path + ": is damaged: " + SanitizedForMessage(e.what()));
  }
}

}  // namespace tovalin
