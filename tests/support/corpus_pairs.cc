#include "support/corpus_pairs.h"

#include <algorithm>

namespace tovalin::testing {

namespace fs = std::filesystem;

std::vector<fs::path> DocumentsOfExport(const fs::path& corpus, const fs::path& frm) {
  const fs::path relative = fs::relative(frm, corpus / "exports");
  const fs::path source = corpus / "files" / *relative.begin();
  std::vector<fs::path> documents;
  if (!fs::is_directory(source)) return documents;
  for (const auto& entry : fs::directory_iterator(source)) {
    if (entry.is_regular_file()) documents.push_back(entry.path());
  }
  std::sort(documents.begin(), documents.end());
  // An export kept in a folder named after its document ("HIST/QuaGene/UserForm1.frm").
  const std::string path = relative.string();
  std::stable_partition(documents.begin(), documents.end(), [&](const fs::path& document) {
    return path.find(document.stem().string() + "/") != std::string::npos;
  });
  return documents;
}

}  // namespace tovalin::testing
