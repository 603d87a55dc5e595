// Whole-buffer inflation of deflate streams whose inflated size is known in advance.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tovalin {

enum class DeflateFormat { kRaw, kZlib };

enum class InflateStatus {
  kOk,        // the data inflated to exactly the expected size
  kTooLarge,  // the data inflates to more than the expected size
  kInvalid,   // the data is not a valid stream of its format
  kWrongSize  // the data inflated to fewer bytes than expected; see `actual`
};

struct InflateResult {
  InflateStatus status;
  size_t actual;  // the number of bytes inflated, when the data is valid
};

// Inflates `data` into `out`, whose size is the expected inflated size. Throws std::bad_alloc when
// no decompressor can be had.
InflateResult Inflate(DeflateFormat format, std::span<const uint8_t> data, std::span<uint8_t> out);

}  // namespace tovalin
