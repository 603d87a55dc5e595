// Exporting forms: every form of the shared corpus exported from its document, to memory and to
// disk, with the documents opened inside or outside the timed loop; and generated forms (many
// controls on one form, Frames nested deep) read from a designer storage and exported.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/export_class.h"
#include "host/memory/memory_model.h"
#include "host/office/compound_file.h"
#include "host/office/designer_storage.h"
#include "host/office/document_reader.h"
#include "host/posix/posix_file_system.h"
#include "support/compound_file_writer.h"
#include "support/designer_record_builder.h"

namespace tovalin {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::CfbWriter;
using testing::RecordBuilder;

// --- services ------------------------------------------------------------------------------

class QuietMessageBox : public MessageBox {
 public:
  int Show(const std::string&, int style, const std::string&) override {
    return style == kMbStyleCritical ? kMbOk : kMbCancel;
  }
};

class IgnoredWarnings : public WarningSink {
 public:
  void Warn(const std::string&) override {}
};

// A file system whose every file is one string: each open empties it, each write appends to it.
// The string keeps its capacity, so after the first pass the writes allocate nothing.
class StringFileSystem : public FileSystem {
 public:
  bool Exists(const std::string&) override { return false; }
  bool IsDirectory(const std::string&) override { return true; }
  std::unique_ptr<OutputStream> OpenExclusive(const std::string&) override {
    bytes_.clear();
    return std::make_unique<Stream>(bytes_);
  }
  const std::string& bytes() const { return bytes_; }

 private:
  class Stream : public OutputStream {
   public:
    explicit Stream(std::string& bytes) : bytes_(bytes) {}
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    void Close() override {}

   private:
    std::string& bytes_;
  };
  std::string bytes_;
};

// A fresh folder under the system's temporary folder, removed with its files at the end, with
// one subfolder per document so that forms of the same name in two documents are two files.
class ScratchFolder {
 public:
  explicit ScratchFolder(size_t documents) : documents_(documents) {
    std::string pattern = (fs::temp_directory_path() / "form_bench_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    Empty();
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Removes every file written, leaving the empty subfolders.
  void Empty() {
    std::error_code ignored;
    for (size_t i = 0; i < documents_; ++i) {
      fs::remove_all(path_ / std::to_string(i), ignored);
      fs::create_directory(path_ / std::to_string(i));
    }
  }
  // The folder of document `index`, with a trailing separator, as exports take it.
  std::string prefix(size_t index) const { return (path_ / std::to_string(index)).string() + "/"; }

 private:
  fs::path path_;
  size_t documents_;
};

// Counts what the exports of a pass wrote and how many of them failed.
struct PassTally {
  int64_t forms = 0;
  int64_t failed = 0;  // ExportForm stopped, or left a current error
  int64_t bytes = 0;   // memory exports only
};

// Exports one component as the front end does: a fresh runtime, overwrite without asking.
void ExportOne(const std::shared_ptr<Vbe>& vbe, const std::shared_ptr<VbComponent>& component,
               ClassRegistry& registry, uint32_t code_page, FileSystem& file_system,
               const std::string& folder, PassTally& tally) {
  QuietMessageBox messages;
  IgnoredWarnings warnings;
  Runtime runtime{ErrorState{}, messages, file_system, registry, warnings, code_page};
  ExportClass exporter(runtime);
  const bool saved = exporter.ExportForm(vbe, component, folder, true);
  ++tally.forms;
  if (!saved || runtime.err.number() != 0) ++tally.failed;
}

// Exports every form of a loaded document.
void ExportDocument(const LoadedDescription& loaded, FileSystem& file_system,
                    const std::string& folder, PassTally& tally) {
  for (const auto& component : loaded.vbe->ActiveVBProject()->VBComponents()) {
    if (component->Type() != kUserFormComponent) continue;
    ExportOne(loaded.vbe, component, *loaded.class_registry, loaded.code_page, file_system, folder,
              tally);
    if (auto* memory = dynamic_cast<StringFileSystem*>(&file_system)) {
      tally.bytes += static_cast<int64_t>(memory->bytes().size());
    }
  }
}

// --- the corpus ----------------------------------------------------------------------------

struct Corpus {
  std::vector<std::string> documents;
  std::vector<LoadedDescription> loaded;  // in the order of `documents`
  int64_t forms = 0;
  int64_t controls = 0;  // of the forms whose designer reads, nested ones included
};

const Corpus& TheCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(TOVALIN_CORPUS) / "files")) {
      if (entry.is_regular_file()) c.documents.push_back(entry.path().string());
    }
    for (const std::string& document : c.documents) {
      c.loaded.push_back(OpenDocument(document));
      for (const auto& component : c.loaded.back().vbe->ActiveVBProject()->VBComponents()) {
        if (component->Type() != kUserFormComponent) continue;
        ++c.forms;
        try {
          c.controls += static_cast<int64_t>(component->Designer()->Controls().size());
        } catch (const HostError&) {
          // a damaged designer: exported all the same, with no controls to count
        }
      }
    }
    return c;
  }();
  return corpus;
}

void ReportCorpusPass(benchmark::State& state, const Corpus& corpus, const PassTally& last) {
  if (last.forms != corpus.forms) {
    state.SkipWithError("a pass exported another number of forms than the corpus holds");
    return;
  }
  state.SetItemsProcessed(state.iterations() * corpus.forms);
  state.counters["documents"] = static_cast<double>(corpus.documents.size());
  state.counters["forms"] = static_cast<double>(corpus.forms);
  state.counters["controls"] = static_cast<double>(corpus.controls);
  state.counters["controls/s"] = benchmark::Counter(static_cast<double>(corpus.controls),
                                                    benchmark::Counter::kIsIterationInvariantRate);
  state.counters["failed"] = static_cast<double>(last.failed);
  if (last.bytes > 0) state.SetBytesProcessed(state.iterations() * last.bytes);
}

// Where a pass writes: to memory (no folder), or to disk, into empty folders each pass (the
// first export of a document) or over the files of the pass before (an export repeated).
struct Destination {
  FileSystem& file_system;
  ScratchFolder* folder = nullptr;
  bool empty_each_pass = false;

  void BeforePass(benchmark::State& state) const {
    if (folder == nullptr || !empty_each_pass) return;
    state.PauseTiming();
    folder->Empty();
    state.ResumeTiming();
  }
  std::string Prefix(size_t document) const {
    return folder == nullptr ? std::string() : folder->prefix(document);
  }
};

// Each pass opens every document and exports its forms: what one run over the corpus costs.
void CorpusFromDocuments(benchmark::State& state, const Destination& to) {
  const Corpus& corpus = TheCorpus();
  PassTally last;
  for (auto _ : state) {
    to.BeforePass(state);
    PassTally tally;
    for (size_t i = 0; i < corpus.documents.size(); ++i) {
      const LoadedDescription loaded = OpenDocument(corpus.documents[i]);
      ExportDocument(loaded, to.file_system, to.Prefix(i), tally);
    }
    last = tally;
  }
  ReportCorpusPass(state, corpus, last);
}

// Each pass exports the forms of documents opened beforehand: the export alone.
void CorpusFromLoadedModels(benchmark::State& state, const Destination& to) {
  const Corpus& corpus = TheCorpus();
  PassTally last;
  for (auto _ : state) {
    to.BeforePass(state);
    PassTally tally;
    for (size_t i = 0; i < corpus.loaded.size(); ++i) {
      ExportDocument(corpus.loaded[i], to.file_system, to.Prefix(i), tally);
    }
    last = tally;
  }
  ReportCorpusPass(state, corpus, last);
}

void BM_CorpusOpenAndExportToMemory(benchmark::State& state) {
  StringFileSystem file_system;
  CorpusFromDocuments(state, {file_system});
}
BENCHMARK(BM_CorpusOpenAndExportToMemory)->Unit(benchmark::kMillisecond);

void BM_CorpusExportToMemory(benchmark::State& state) {
  StringFileSystem file_system;
  CorpusFromLoadedModels(state, {file_system});
}
BENCHMARK(BM_CorpusExportToMemory)->Unit(benchmark::kMillisecond);

// The disk variants are timed by the wall clock: the writes' cost is partly the kernel's.
void BM_CorpusOpenAndExportToDisk(benchmark::State& state) {
  ScratchFolder folder(TheCorpus().documents.size());
  PosixFileSystem file_system;
  CorpusFromDocuments(state, {file_system, &folder, true});
}
BENCHMARK(BM_CorpusOpenAndExportToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CorpusExportToDisk(benchmark::State& state) {
  ScratchFolder folder(TheCorpus().documents.size());
  PosixFileSystem file_system;
  CorpusFromLoadedModels(state, {file_system, &folder, true});
}
BENCHMARK(BM_CorpusExportToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CorpusExportToDiskOverwriting(benchmark::State& state) {
  ScratchFolder folder(TheCorpus().documents.size());
  PosixFileSystem file_system;
  CorpusFromLoadedModels(state, {file_system, &folder, false});
}
BENCHMARK(BM_CorpusExportToDiskOverwriting)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- generated designer storages -----------------------------------------------------------

// Class cache indexes of the forms package's controls, and MorphData's DisplayStyle values.
constexpr uint16_t kFrameClass = 14;
constexpr uint16_t kCommandButtonClass = 17;
constexpr uint16_t kLabelClass = 21;
constexpr uint16_t kTextBoxClass = 23;
constexpr uint16_t kCheckBoxClass = 26;
constexpr uint8_t kTextBoxStyle = 1;
constexpr uint8_t kCheckBoxStyle = 4;
// BitFlags of a site: TabStop, Visible, and 0x10 when the control's data is in the "o" stream.
constexpr uint32_t kStreamedSite = 0x33;
constexpr uint32_t kStorageSite = 0x23;
// BooleanProperties of a container: Enabled, and no class table follows.
constexpr uint32_t kContainerWithoutClassTable = 0x8004;

// The control records of one container's "o" stream and the sites of its "f" stream.
struct ContainerParts {
  Bytes o;
  std::vector<Bytes> sites;
};

std::string ControlName(const char* prefix, int32_t number) {
  return prefix + std::to_string(number);
}

// A site at (left, top) in HIMETRIC.
Bytes Site(const std::string& name, int32_t id, uint32_t bit_flags, uint32_t object_size,
           int16_t tab_index, uint16_t class_index, int32_t left, int32_t top) {
  return RecordBuilder::Site()
      .Latin1(0, name)
      .U32(2, static_cast<uint32_t>(id))
      .U32(4, bit_flags)
      .U32(5, object_size)
      .U16(6, static_cast<uint16_t>(tab_index))
      .U16(7, class_index)
      .Pair(8, left, top)
      .Build();
}

enum class Kind { kCommandButton, kLabel, kTextBox, kCheckBox };

// Adds a streamed control to `parts`: its record (a caption or value, and a size) to the "o"
// stream and its site, at (left, top) in HIMETRIC, to the sites.
void AddStreamedControl(ContainerParts& parts, Kind kind, const std::string& name, int32_t id,
                        int16_t tab_index, int32_t left, int32_t top) {
  Bytes record;
  uint16_t class_index = 0;
  switch (kind) {
    case Kind::kCommandButton:
      class_index = kCommandButtonClass;
      record = RecordBuilder::Control()
                   .Latin1(3, name)
                   .Pair(5, 2540, 635)
                   .Then(testing::DefaultTextProps())
                   .Build();
      break;
    case Kind::kLabel:
      class_index = kLabelClass;
      record = RecordBuilder::Control()
                   .Latin1(3, "Caption of " + name)
                   .Pair(5, 3175, 508)
                   .Then(testing::DefaultTextProps())
                   .Build();
      break;
    case Kind::kTextBox:
      class_index = kTextBoxClass;
      record = RecordBuilder::Control()
                   .WideMask()
                   .U8(6, kTextBoxStyle)
                   .Pair(8, 3810, 635)
                   .Latin1(22, "value of " + name)
                   .Then(testing::DefaultTextProps())
                   .Build();
      break;
    case Kind::kCheckBox:
      class_index = kCheckBoxClass;
      record = RecordBuilder::Control()
                   .WideMask()
                   .U8(6, kCheckBoxStyle)
                   .Pair(8, 3810, 508)
                   .Latin1(22, "1")
                   .Latin1(23, name)
                   .Then(testing::DefaultTextProps())
                   .Build();
      break;
  }
  parts.sites.push_back(Site(name, id, kStreamedSite, static_cast<uint32_t>(record.size()),
                             tab_index, class_index, left, top));
  parts.o.insert(parts.o.end(), record.begin(), record.end());
}

// A container's FormControl record: no class table, the displayed size in HIMETRIC.
Bytes ContainerRecordBytes(int32_t width, int32_t height, const std::string& caption) {
  RecordBuilder record = RecordBuilder::Control(4);
  record.U32(6, kContainerWithoutClassTable).Pair(10, width, height);
  if (!caption.empty()) record.Latin1(19, caption);
  return record.Build();
}

// Writes a container's "f" and "o" streams into `storage`.
void AddContainerStreams(CfbWriter& writer, CfbWriter::Id storage, const Bytes& record,
                         const ContainerParts& parts) {
  writer.AddStream(storage, u"f", testing::ContainerStream(record, nullptr, parts.sites));
  if (!parts.o.empty()) writer.AddStream(storage, u"o", parts.o);
}

// A designer storage (as the root of its own compound file) of a form with `count` controls:
// CommandButtons, Labels, TextBoxes and CheckBoxes in turn, ten to a row.
std::vector<uint8_t> FlatFormStorage(int count) {
  constexpr Kind kKinds[] = {Kind::kCommandButton, Kind::kLabel, Kind::kTextBox, Kind::kCheckBox};
  constexpr const char* kPrefixes[] = {"CommandButton", "Label", "TextBox", "CheckBox"};
  ContainerParts parts;
  for (int index = 0; index < count; ++index) {
    const int id = index + 1;
    AddStreamedControl(parts, kKinds[index % 4], ControlName(kPrefixes[index % 4], id), id,
                       static_cast<int16_t>(index), 300 + index % 10 * 4000,
                       300 + index / 10 * 700);
  }
  CfbWriter writer;
  AddContainerStreams(writer, CfbWriter::kRoot, ContainerRecordBytes(42000, 30000, ""), parts);
  return writer.Build();
}

// "i01", "i12", "i123": the storage name of the container whose site has that ID.
std::u16string StorageName(int32_t id) {
  std::string digits = std::to_string(id);
  if (digits.size() < 2) digits.insert(digits.begin(), '0');
  std::u16string name = u"i";
  for (char c : digits) name.push_back(static_cast<char16_t>(c));
  return name;
}

// A designer storage of a form holding Label1 and Frame1; Frame1 holds Label2 and Frame2, and so
// on down to Frame`depth`, which holds a Label only: 2 * depth + 1 controls, each Frame a storage
// inside its container's.
std::vector<uint8_t> NestedFramesStorage(int depth) {
  CfbWriter writer;
  CfbWriter::Id storage = CfbWriter::kRoot;
  Bytes record = ContainerRecordBytes(42000, 30000, "");
  int32_t id = 0;
  for (int level = 1;; ++level) {
    ContainerParts parts;
    AddStreamedControl(parts, Kind::kLabel, ControlName("Label", level), ++id, 0, 100, 100);
    if (level > depth) {
      AddContainerStreams(writer, storage, record, parts);
      break;
    }
    const int32_t frame_id = ++id;
    parts.sites.push_back(
        Site(ControlName("Frame", level), frame_id, kStorageSite, 0, 1, kFrameClass, 200, 800));
    AddContainerStreams(writer, storage, record, parts);
    storage = writer.AddStorage(storage, StorageName(frame_id));
    const int32_t side = 40000 - 700 * level;
    record = ContainerRecordBytes(side, side * 3 / 4, ControlName("Frame", level));
  }
  return writer.Build();
}

// One generated form: its storage's bytes, and what reading it must give.
struct GeneratedForm {
  std::shared_ptr<const std::vector<uint8_t>> bytes;
  int64_t controls = 0;
};

// The form and its model, as a project of one component in an editor.
struct FormModel {
  std::shared_ptr<MemoryVbe> vbe;
  std::shared_ptr<MemoryComponent> component;
};

FormModel ReadGenerated(const GeneratedForm& generated) {
  const CompoundFile file = CompoundFile::Open(generated.bytes, "Generated");
  const VbFrameInfo frame{std::string("Generated"), 12000, 9000};
  auto component = std::make_shared<MemoryComponent>("Generated", kUserFormComponent);
  component->properties().Set("Caption", Variant::String(*frame.caption));
  component->SetDesigner(ObjectSlot<UserForm>(ReadDesigner(file, file.root(), frame)));
  auto project = std::make_shared<MemoryProject>("Bench");
  project->AddComponent(component);
  auto vbe = std::make_shared<MemoryVbe>();
  vbe->SetActiveProject(project);
  return {vbe, component};
}

// Exports the form to memory; false (and a skip) when the export failed or lost controls.
bool ExportGenerated(benchmark::State& state, const FormModel& model, StringFileSystem& file_system,
                     MemoryClassRegistry& registry) {
  PassTally tally;
  ExportOne(model.vbe, model.component, registry, 1252, file_system, "", tally);
  if (tally.failed != 0) {
    state.SkipWithError("the generated form did not export cleanly");
    return false;
  }
  benchmark::DoNotOptimize(file_system.bytes().data());
  return true;
}

// Checks once, outside the timing, that the storage reads back as the controls it was built
// with; a storage the reader took for damaged would time the wrong thing.
bool CheckGenerated(benchmark::State& state, const GeneratedForm& generated) {
  const FormModel model = ReadGenerated(generated);
  const ControlList controls = model.component->Designer()->Controls();
  if (static_cast<int64_t>(controls.size()) != generated.controls) {
    state.SkipWithError("the generated storage reads as another number of controls");
    return false;
  }
  for (const auto& control : controls) {
    try {
      benchmark::DoNotOptimize(control->Width());
    } catch (const HostError& e) {
      state.SkipWithError(("a generated control reads as damaged: " + e.description()).c_str());
      return false;
    }
  }
  return true;
}

void ReportGenerated(benchmark::State& state, int64_t controls, size_t exported_bytes) {
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(exported_bytes));
  state.counters["controls"] = static_cast<double>(controls);
  // Seconds per control: the inverse of a rate of `controls` per iteration.
  state.counters["per_control"] = benchmark::Counter(
      static_cast<double>(controls),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Reads the storage (the compound file and the designer) and exports the form, per iteration.
void ReadAndExport(benchmark::State& state, const GeneratedForm& generated) {
  if (!CheckGenerated(state, generated)) return;
  StringFileSystem file_system;
  MemoryClassRegistry registry;
  for (auto _ : state) {
    const FormModel model = ReadGenerated(generated);
    if (!ExportGenerated(state, model, file_system, registry)) return;
  }
  state.SetComplexityN(generated.controls);
  ReportGenerated(state, generated.controls, file_system.bytes().size());
}

// The export alone, of a form read beforehand.
void ExportOnly(benchmark::State& state, const GeneratedForm& generated) {
  if (!CheckGenerated(state, generated)) return;
  StringFileSystem file_system;
  MemoryClassRegistry registry;
  const FormModel model = ReadGenerated(generated);
  for (auto _ : state) {
    if (!ExportGenerated(state, model, file_system, registry)) return;
  }
  state.SetComplexityN(generated.controls);
  ReportGenerated(state, generated.controls, file_system.bytes().size());
}

GeneratedForm FlatForm(int count) {
  return {std::make_shared<const std::vector<uint8_t>>(FlatFormStorage(count)), count};
}

void BM_ManyControlsReadAndExport(benchmark::State& state) {
  ReadAndExport(state, FlatForm(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ManyControlsReadAndExport)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_ManyControlsExportOnly(benchmark::State& state) {
  ExportOnly(state, FlatForm(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_ManyControlsExportOnly)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// Frames nested `depth` deep (the argument; 50 is the case of interest, 25 shows the growth).
GeneratedForm NestedFrames(int depth) {
  return {std::make_shared<const std::vector<uint8_t>>(NestedFramesStorage(depth)), 2 * depth + 1};
}

void BM_NestedFramesReadAndExport(benchmark::State& state) {
  ReadAndExport(state, NestedFrames(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_NestedFramesReadAndExport)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_NestedFramesExportOnly(benchmark::State& state) {
  ExportOnly(state, NestedFrames(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_NestedFramesExportOnly)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tovalin

BENCHMARK_MAIN();
