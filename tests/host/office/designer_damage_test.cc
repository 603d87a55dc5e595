// Every form of the shared corpus with one of its designer streams damaged: the form reads, or
// its own "f" stream is reported as damaged; damage to a control's record stays with that
// control. Nothing crashes, whatever is damaged (the sanitizers watch every read).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "host/host_error.h"
#include "host/office/compound_file.h"
#include "host/office/designer_model.h"
#include "host/office/designer_storage.h"
#include "host/office/document_reader.h"
#include "host/office/format_error.h"
#include "support/compound_file_writer.h"

namespace tovalin::testing {
namespace {

namespace fs = std::filesystem;
using EntryId = CompoundFile::EntryId;

const fs::path kCorpus = TOVALIN_CORPUS;

std::u16string Utf16(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// Copies the storage tree below `from` into `writer` below `to`; `change` may alter each
// stream's bytes (it gets the stream's path below the designer storage).
void CopyTree(const CompoundFile& file, EntryId from, CfbWriter& writer, CfbWriter::Id to,
              const std::string& path,
              const std::function<void(const std::string&, std::vector<uint8_t>&)>& change) {
  for (EntryId child : file.Children(from)) {
    const CompoundFile::Entry& entry = file.entry(child);
    const std::string child_path = path.empty() ? entry.name : path + "/" + entry.name;
    if (entry.type == CompoundFile::EntryType::kStorage) {
      CopyTree(file, child, writer, writer.AddStorage(to, Utf16(entry.name)), child_path, change);
    } else {
      std::vector<uint8_t> bytes = file.ReadStream(child);
      change(child_path, bytes);
      writer.AddStream(to, Utf16(entry.name), std::move(bytes));
    }
  }
}

// Reads every value of every control of the forms package; true when the form's controls were all
// read whole.
bool ReadsWhole(const std::shared_ptr<MemoryUserForm>& form) {
  bool whole = true;
  for (const auto& control : form->Controls()) {
    // A control from outside the forms package keeps its size in data of its own.
    if (!IsFormsPackageType(control->TypeName())) continue;
    try {
      (void)control->Name();
      (void)control->Width();
      (void)control->Height();
      (void)control->Left();
      (void)control->Object()->Get("BackColor");
    } catch (const HostError& e) {
      if (e.number() != kErrNoSuchMember) whole = false;
    }
  }
  return whole;
}

struct Form {
  std::shared_ptr<CompoundFile> file;
  EntryId storage;
  std::string name;
};

std::vector<Form> CorpusForms() {
  std::vector<Form> forms;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "files")) {
    if (!entry.is_regular_file()) continue;
    const DocumentProject at = OpenDocumentProject(entry.path().string());
    for (const VbaModule& module : at.project.modules) {
      if (module.kind != VbaModuleKind::kDesigner) continue;
      const auto storage = at.file->Find(at.storage, module.stream_name);
      if (storage && at.file->entry(*storage).type == CompoundFile::EntryType::kStorage) {
        forms.push_back({at.file, *storage, entry.path().filename().string() + "/" + module.name});
      }
    }
  }
  return forms;
}

// The form read from a copy of its storage with `change` applied.
std::shared_ptr<MemoryUserForm> ReadChanged(
    const Form& form,
    const std::function<void(const std::string&, std::vector<uint8_t>&)>& change) {
  CfbWriter writer;
  CopyTree(*form.file, form.storage, writer, CfbWriter::kRoot, "", change);
  const CompoundFile copy =
      CompoundFile::Open(std::make_shared<const std::vector<uint8_t>>(writer.Build()), "copy");
  return ReadDesigner(copy, copy.root(), {});
}

TEST(DesignerDamageTest, EveryCorpusFormReadsWholeWhenCopied) {
  const std::vector<Form> forms = CorpusForms();
  EXPECT_EQ(forms.size(), 184u);
  for (const Form& form : forms) {
    std::shared_ptr<MemoryUserForm> read;
    ASSERT_NO_THROW(read = ReadChanged(form, [](const std::string&, std::vector<uint8_t>&) {}))
        << form.name;
    EXPECT_TRUE(ReadsWhole(read)) << form.name;
  }
}

TEST(DesignerDamageTest, DamageToAnyStreamNeverEscapesTheReader) {
  std::mt19937 random(20261208);
  for (const Form& form : CorpusForms()) {
    for (int round = 0; round < 6; ++round) {
      const uint32_t seed = static_cast<uint32_t>(random());
      auto damage = [&](const std::string& path, std::vector<uint8_t>& bytes) {
        if (bytes.empty() || path.find('\x03') != std::string::npos) return;
        std::mt19937 local(seed ^ static_cast<uint32_t>(std::hash<std::string>()(path)));
        switch (local() % 4) {
          case 0:  // truncated
            bytes.resize(local() % bytes.size());
            break;
          case 1:  // a few bytes flipped
            for (int i = 0; i < 4; ++i) bytes[local() % bytes.size()] ^= 0xFF;
            break;
          case 2:  // a length field made huge
            if (bytes.size() >= 8) PutLe(bytes, (local() % (bytes.size() / 4 - 1)) * 4, 0x7FFFFFF0);
            break;
          default:
            break;
        }
      };
      try {
        ReadsWhole(ReadChanged(form, damage));
      } catch (const FormatError&) {
        // the form's own "f" stream was damaged: the whole form is reported
      }
    }
  }
}

TEST(DesignerDamageTest, ATruncatedRecordStreamFailsOnlyTheControlsItCuts) {
  size_t forms_checked = 0;
  for (const Form& form : CorpusForms()) {
    const std::shared_ptr<MemoryUserForm> whole =
        ReadChanged(form, [](const std::string&, std::vector<uint8_t>&) {});
    const ControlList controls = whole->children().empty() ? ControlList{} : whole->Controls();
    if (whole->children().size() < 2) continue;
    // Cut the form's own "o" stream in half: the first of its direct controls keeps its values
    // when its record lies in the first half.
    const std::shared_ptr<MemoryUserForm> cut =
        ReadChanged(form, [](const std::string& path, std::vector<uint8_t>& bytes) {
          if (path == "o") bytes.resize(bytes.size() / 2);
        });
    ASSERT_EQ(cut->children().size(), whole->children().size()) << form.name;
    bool some_failed = false;
    for (size_t i = 0; i < cut->children().size(); ++i) {
      if (!IsFormsPackageType(cut->children()[i]->TypeName())) continue;
      try {
        EXPECT_EQ(cut->children()[i]->Name(), whole->children()[i]->Name());
        EXPECT_EQ(cut->children()[i]->Width(), whole->children()[i]->Width());
      } catch (const HostError& e) {
        some_failed = true;
        EXPECT_EQ(e.number(), kErrDeviceIo) << form.name;
        EXPECT_NE(e.description().find("The control"), std::string::npos) << e.description();
      }
    }
    forms_checked += some_failed ? 1 : 0;
  }
  EXPECT_GT(forms_checked, 50u);
}

}  // namespace
}  // namespace tovalin::testing
