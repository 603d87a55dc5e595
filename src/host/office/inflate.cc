#include "host/office/inflate.h"

#include <libdeflate.h>

#include <memory>
#include <new>

namespace tovalin {
namespace {

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
  }
};

}  // namespace

InflateResult Inflate(DeflateFormat format, std::span<const uint8_t> data, std::span<uint8_t> out) {
  std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> decompressor(
      libdeflate_alloc_decompressor());
  if (!decompressor) throw std::bad_alloc();
  // libdeflate wants a valid output pointer even for an empty output.
  uint8_t empty = 0;
  uint8_t* const destination = out.empty() ? &empty : out.data();
  size_t actual = 0;
  const libdeflate_result result =
      format == DeflateFormat::kRaw
          ? libdeflate_deflate_decompress(decompressor.get(), data.data(), data.size(), destination,
                                          out.size(), &actual)
          : libdeflate_zlib_decompress(decompressor.get(), data.data(), data.size(), destination,
                                       out.size(), &actual);
  if (result == LIBDEFLATE_INSUFFICIENT_SPACE) return {InflateStatus::kTooLarge, 0};
  if (result != LIBDEFLATE_SUCCESS) return {InflateStatus::kInvalid, 0};
  if (actual != out.size()) return {InflateStatus::kWrongSize, actual};
  return {InflateStatus::kOk, actual};
}

}  // namespace tovalin
