#include "support/zip_writer.h"

#include <libdeflate.h>

namespace tovalin::testing {
namespace {

// Appends `value` little-endian in `size` bytes.
void Append(std::vector<uint8_t>& out, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(i < 8 ? value >> (8 * i) : 0));
}

std::string Deflate(const std::string& data) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(6);
  std::string packed(libdeflate_deflate_compress_bound(compressor, data.size()), '\0');
  packed.resize(libdeflate_deflate_compress(compressor, data.data(), data.size(), packed.data(),
                                            packed.size()));
  libdeflate_free_compressor(compressor);
  return packed;
}

}  // namespace

std::vector<uint8_t> MakeZip(const std::vector<ZipMember>& members, bool zip64,
                             std::optional<uint16_t> stated_count, const std::string& comment) {
  std::vector<uint8_t> out, directory;
  for (const ZipMember& e : members) {
    const std::string data = e.method == 8 ? Deflate(e.data) : e.data;
    uint32_t crc = e.crc.value_or(libdeflate_crc32(0, e.data.data(), e.data.size()));
    uint64_t size = e.stated_size.value_or(static_cast<uint32_t>(e.data.size()));
    uint64_t offset = out.size();
    Append(out, 0x04034b50, 4);
    Append(out, 20, 2), Append(out, e.flags, 2), Append(out, e.method, 2), Append(out, 0, 4);
    Append(out, crc, 4), Append(out, data.size(), 4), Append(out, size, 4);
    Append(out, e.name.size(), 2), Append(out, 0, 2);
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.insert(out.end(), data.begin(), data.end());

    uint64_t saturated = zip64 ? 0xFFFFFFFF : 0;
    Append(directory, 0x02014b50, 4);
    Append(directory, 45, 2), Append(directory, 20, 2), Append(directory, e.flags, 2);
    Append(directory, e.method, 2), Append(directory, 0, 4), Append(directory, crc, 4);
    Append(directory, saturated ? saturated : data.size(), 4);
    Append(directory, saturated ? saturated : size, 4);
    Append(directory, e.name.size(), 2), Append(directory, zip64 ? 28 : 0, 2);
    Append(directory, 0, 2 + 2 + 2 + 4);
    Append(directory, saturated ? saturated : offset, 4);
    directory.insert(directory.end(), e.name.begin(), e.name.end());
    if (zip64) {
      Append(directory, 0x0001, 2), Append(directory, 24, 2);
      Append(directory, size, 8), Append(directory, data.size(), 8), Append(directory, offset, 8);
    }
  }
  uint64_t directory_offset = out.size();
  out.insert(out.end(), directory.begin(), directory.end());
  uint64_t count = stated_count.value_or(static_cast<uint16_t>(members.size()));
  if (zip64) {
    uint64_t zip64_end = out.size();
    Append(out, 0x06064b50, 4), Append(out, 44, 8), Append(out, 45, 2), Append(out, 45, 2);
    Append(out, 0, 4 + 4), Append(out, count, 8), Append(out, count, 8);
    Append(out, directory.size(), 8), Append(out, directory_offset, 8);
    Append(out, 0x07064b50, 4), Append(out, 0, 4), Append(out, zip64_end, 8), Append(out, 1, 4);
  }
  Append(out, 0x06054b50, 4), Append(out, 0, 4);
  Append(out, zip64 ? 0xFFFF : count, 2), Append(out, zip64 ? 0xFFFF : count, 2);
  Append(out, zip64 ? 0xFFFFFFFF : directory.size(), 4);
  Append(out, zip64 ? 0xFFFFFFFF : directory_offset, 4);
  Append(out, comment.size(), 2);
  out.insert(out.end(), comment.begin(), comment.end());
  return out;
}

}  // namespace tovalin::testing
