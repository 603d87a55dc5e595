// The compressed containers of VBA project streams ([MS-OVBA] 2.4.1): the dir stream and the
// source text at the end of each module stream. A container is a signature byte 0x01 and chunks
// of at most 4096 decompressed bytes, each either raw or a sequence of literal bytes and copy
// tokens that repeat earlier bytes of the same chunk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tovalin {

// The largest number of bytes a container may decompress to, given its own size: text rarely
// compresses better than 1:5, so 64 times the input leaves a wide margin while a crafted
// container (which can reach about 1:680) cannot make the reader allocate far beyond what the
// file justifies. `absolute_cap` bounds it further.
size_t DecompressionLimit(size_t compressed_size, size_t absolute_cap);

// Decompresses a whole container: the signature byte, then chunks up to the end of `container`.
// Throws FormatError naming `where` and the offset in `container` of what is wrong: a missing
// signature, a chunk header without the chunk signature 0b011, a chunk that runs past the end of
// the input, a copy token reaching before the start of its chunk, a chunk that would
// decompress to more than 4096 bytes, or output beyond `max_output` bytes.
std::vector<uint8_t> DecompressContainer(std::span<const uint8_t> container,
                                         const std::string& where, size_t max_output);

// The same, appending to `out` (module sources are kept as strings). Offsets in errors count
// from `where_offset`, the container's position in the stream `where` names.
void DecompressContainerTo(std::span<const uint8_t> container, const std::string& where,
                           size_t max_output, std::string& out, size_t where_offset = 0);

}  // namespace tovalin
