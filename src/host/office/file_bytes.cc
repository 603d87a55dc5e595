#include "host/office/file_bytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "host/office/document_reader.h"

namespace tovalin {

FileBytes ReadInputFile(const std::string& path, uint64_t max_size) {
  auto fail = [&](DocumentProblem problem, const std::string& why) {
    throw DocumentError(problem, path + ": " + why);
  };
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) fail(DocumentProblem::kUnreadable, std::string("cannot read: ") + std::strerror(errno));
  const std::streamoff size = in.tellg();
  if (size < 0) fail(DocumentProblem::kUnreadable, "cannot read: not a regular file");
  if (static_cast<uint64_t>(size) > max_size) {
    fail(DocumentProblem::kNotADocument, "is larger than any document this program reads");
  }
  auto bytes = std::make_shared<std::vector<uint8_t>>(static_cast<size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes->data()), size)) {
    fail(DocumentProblem::kUnreadable, "cannot read: the read ended early");
  }
  return bytes;
}

}  // namespace tovalin
