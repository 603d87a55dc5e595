// Reading the shared corpus: every document opened, its VBA project found and read, every module
// decompressed and decoded; and the same through the object model the export reads.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "host/office/document_reader.h"

namespace tovalin {
namespace {

namespace fs = std::filesystem;

struct Corpus {
  std::vector<std::string> documents;
  int64_t bytes = 0;
};

const Corpus& TheCorpus() {
  static const Corpus corpus = [] {
    Corpus c;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(TOVALIN_CORPUS) / "files")) {
      if (!entry.is_regular_file()) continue;
      c.documents.push_back(entry.path().string());
      c.bytes += static_cast<int64_t>(entry.file_size());
    }
    return c;
  }();
  return corpus;
}

void BM_ReadCorpusProjects(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  for (auto _ : state) {
    for (const std::string& document : corpus.documents) {
      DocumentProject project = OpenDocumentProject(document);
      benchmark::DoNotOptimize(project.project.modules.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus.documents.size()));
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
}
BENCHMARK(BM_ReadCorpusProjects)->Unit(benchmark::kMillisecond);

void BM_OpenCorpusAsObjectModel(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  for (auto _ : state) {
    for (const std::string& document : corpus.documents) {
      LoadedDescription loaded = OpenDocument(document);
      benchmark::DoNotOptimize(loaded.vbe.get());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(corpus.documents.size()));
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
}
BENCHMARK(BM_OpenCorpusAsObjectModel)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tovalin

BENCHMARK_MAIN();
