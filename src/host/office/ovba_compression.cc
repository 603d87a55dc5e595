#include "host/office/ovba_compression.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "host/office/format_error.h"

namespace tovalin {
namespace {

constexpr size_t kChunkBytes = 4096;  // decompressed bytes in a full chunk
constexpr size_t kRawChunkSize = kChunkBytes + 2;

std::string Hex(unsigned value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "0x" + std::string(static_cast<size_t>(digits), '0');
  for (int i = digits + 1; i >= 2; --i, value >>= 4)
    text[static_cast<size_t>(i)] = kDigits[value & 0xF];
  return text;
}

// Bytes the decoder may write past the 4096 of a chunk before it notices: a copy moves eight
// bytes at a time, and the literals of one flag byte are checked together. The chunk buffer has
// them; what they hold is overwritten or cut off afterwards.
constexpr size_t kChunkSlack = 16;

[[noreturn]] void Fail(const std::string& what, const std::string& where, size_t offset) {
  throw FormatError(what, where, offset);
}

// Out of the decoding loop, so that the message building does not weigh on it.
[[noreturn, gnu::noinline, gnu::cold]] void FailCopy(size_t offset, size_t length, size_t written,
                                                     const std::string& where, size_t at) {
  if (offset > written) {
    Fail("a copy token reaches " + std::to_string(offset) +
             " bytes back, before the start of its chunk (" + std::to_string(written) +
             " bytes in)",
         where, at);
  }
  Fail("a copy token of " + std::to_string(length) + " bytes at byte " + std::to_string(written) +
           " makes its chunk longer than 4096 bytes",
       where, at);
}

// Expands one copy token at `pos` (its two bytes in the chunk) into `chunk` at `written`;
// returns the bytes it adds.
inline size_t Copy(const uint8_t* in, size_t pos, uint8_t* chunk, size_t written,
                   const std::string& where, size_t where_offset) {
  const unsigned value = in[pos] | (unsigned{in[pos + 1]} << 8);
  // The more of the chunk is behind, the more bits the offset takes: as many as it needs to
  // reach the chunk start, at least 4; the length keeps the rest. (At the chunk start any
  // offset reaches before it.)
  const int offset_bits =
      written == 0 ? 4 : std::max(static_cast<int>(std::bit_width(written - 1)), 4);
  const size_t length = (value & (0xFFFFu >> offset_bits)) + 3;
  const size_t offset = (value >> (16 - offset_bits)) + 1;
  if (offset > written || written + length > kChunkBytes) [[unlikely]] {
    FailCopy(offset, length, written, where, where_offset + pos);
  }
  uint8_t* to = chunk + written;
  const uint8_t* from = to - offset;
  if (offset >= 16 && length <= 16) {
    std::memcpy(to, from, 16);  // most copies: short, from far enough back
  } else if (offset >= 8) {
    // Each eight bytes read lie before the eight written, so overlap does no harm.
    for (size_t i = 0; i < length; i += 8) std::memcpy(to + i, from + i, 8);
  } else if (offset == 1) {
    std::memset(to, *from, length);
  } else {
    // A run repeating the last few bytes.
    for (size_t i = 0; i < length; ++i) to[i] = from[i];
  }
  return length;
}

// Decompresses the token sequences of one compressed chunk, in[begin, end), into `chunk`, which
// has room for kChunkBytes + kChunkSlack. Returns the number of bytes written.
size_t DecompressChunk(const uint8_t* in, size_t begin, size_t end, uint8_t* chunk,
                       const std::string& where, size_t where_offset) {
  size_t pos = begin;
  size_t written = 0;
  while (pos < end) {
    const size_t group = pos;
    unsigned flags = in[pos++];
    if (end - pos >= 24) {
      // All eight tokens lie inside the chunk, and eight bytes can be read anywhere among
      // them: the literals before each copy token move together, eight bytes at a time, of which
      // only as many count as there are literals. The bit above the eighth flag marks the end.
      unsigned rest = flags | 0x100;
      while (true) {
        const int literals = std::countr_zero(rest);
        std::memcpy(chunk + written, in + pos, 8);
        written += static_cast<size_t>(literals);
        pos += static_cast<size_t>(literals);
        rest >>= literals;
        if (rest == 1) break;
        written += Copy(in, pos, chunk, written, where, where_offset);
        pos += 2;
        rest >>= 1;
        if (rest == 1) break;
      }
    } else {
      for (int token = 0; token < 8 && pos < end; ++token, flags >>= 1) {
        if ((flags & 1) == 0) {
          chunk[written++] = in[pos++];
        } else {
          if (end - pos < 2) {
            Fail("a copy token is cut short by the end of its chunk", where, where_offset + pos);
          }
          written += Copy(in, pos, chunk, written, where, where_offset);
          pos += 2;
        }
      }
    }
    if (written > kChunkBytes) {
      Fail("a chunk decompresses to more than 4096 bytes", where, where_offset + group);
    }
  }
  return written;
}

template <typename Buffer>
void Decompress(std::span<const uint8_t> container, const std::string& where, size_t max_output,
                size_t where_offset, Buffer& out) {
  if (container.empty())
    throw FormatError("the compressed container is empty", where, where_offset);
  if (container[0] != 0x01) {
    throw FormatError(
        "not a compressed container: the first byte is " + Hex(container[0], 2) + ", not 0x01",
        where, where_offset);
  }
  const size_t base = out.size();
  // Most text compresses to between a half and a third; one guess saves most regrowth.
  const size_t expected = container.size() < max_output / 3 ? container.size() * 3 : max_output;
  out.reserve(base + std::min(expected, max_output) + kChunkBytes + kChunkSlack);

  const uint8_t* in = container.data();
  const size_t size = container.size();
  size_t produced = 0;
  size_t pos = 1;
  while (pos < size) {
    if (size - pos < 2) throw FormatError("a chunk header is cut short", where, where_offset + pos);
    const unsigned header = in[pos] | (unsigned{in[pos + 1]} << 8);
    if (((header >> 12) & 0x7) != 0x3) {
      throw FormatError("chunk header " + Hex(header, 4) + " lacks the chunk signature", where,
                        where_offset + pos);
    }
    const size_t chunk_size = (header & 0xFFF) + 3;
    if (chunk_size > size - pos) {
      throw FormatError("a chunk of " + std::to_string(chunk_size) +
                            " bytes runs past the end of the data (" + std::to_string(size - pos) +
                            " bytes left)",
                        where, where_offset + pos);
    }
    const bool compressed = (header & 0x8000) != 0;
    if (!compressed && chunk_size != kRawChunkSize) {
      throw FormatError("a raw chunk of " + std::to_string(chunk_size) + " bytes (it must be " +
                            std::to_string(kRawChunkSize) + ")",
                        where, where_offset + pos);
    }
    out.resize(base + produced + kChunkBytes + kChunkSlack);
    uint8_t* chunk = reinterpret_cast<uint8_t*>(out.data()) + base + produced;
    if (compressed) {
      produced += DecompressChunk(in, pos + 2, pos + chunk_size, chunk, where, where_offset);
    } else {
      std::memcpy(chunk, in + pos + 2, kChunkBytes);
      produced += kChunkBytes;
    }
    if (produced > max_output) {
      throw FormatError("decompresses to more than " + std::to_string(max_output) + " bytes", where,
                        where_offset + pos);
    }
    pos += chunk_size;
  }
  out.resize(base + produced);
}

}  // namespace

size_t DecompressionLimit(size_t compressed_size, size_t absolute_cap) {
  constexpr size_t kRatio = 64;
  constexpr size_t kSlack = 4096;
  if (compressed_size > (std::numeric_limits<size_t>::max() - kSlack) / kRatio) {
    return absolute_cap;
  }
  return std::min(compressed_size * kRatio + kSlack, absolute_cap);
}

std::vector<uint8_t> DecompressContainer(std::span<const uint8_t> container,
                                         const std::string& where, size_t max_output) {
  std::vector<uint8_t> out;
  Decompress(container, where, max_output, 0, out);
  return out;
}

void DecompressContainerTo(std::span<const uint8_t> container, const std::string& where,
                           size_t max_output, std::string& out, size_t where_offset) {
  Decompress(container, where, max_output, where_offset, out);
}

}  // namespace tovalin
