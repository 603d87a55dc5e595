#include "host/office/ovba_compression.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "host/office/format_error.h"

namespace tovalin {
namespace {

using Bytes = std::vector<uint8_t>;
using ::testing::HasSubstr;

// One token of a compressed chunk: a literal byte, or a copy of `length` bytes from `offset`
// back.
struct Token {
  uint8_t literal = 0;
  size_t offset = 0;  // 0 for a literal
  size_t length = 0;
};
Token Lit(char c) { return {static_cast<uint8_t>(c), 0, 0}; }
Token Copy(size_t offset, size_t length) { return {0, offset, length}; }

// Encodes tokens as one compressed chunk, the copy tokens split as the format says for the
// position they stand at: the offset gets the fewest bits (at least 4) that reach the chunk
// start.
Bytes CompressedChunk(const std::vector<Token>& tokens) {
  Bytes body;
  size_t position = 0;
  for (size_t i = 0; i < tokens.size(); i += 8) {
    const size_t flag_at = body.size();
    body.push_back(0);
    for (size_t j = i; j < tokens.size() && j < i + 8; ++j) {
      const Token& token = tokens[j];
      if (token.offset == 0) {
        body.push_back(token.literal);
        ++position;
        continue;
      }
      body[flag_at] |= static_cast<uint8_t>(1 << (j - i));
      int offset_bits = 4;
      while ((size_t{1} << offset_bits) < position) ++offset_bits;
      EXPECT_LE(token.length - 3, size_t{0xFFFF} >> offset_bits) << "length does not fit";
      const unsigned value =
          static_cast<unsigned>(((token.offset - 1) << (16 - offset_bits)) | (token.length - 3));
      body.push_back(static_cast<uint8_t>(value & 0xFF));
      body.push_back(static_cast<uint8_t>(value >> 8));
      position += token.length;
    }
  }
  EXPECT_LE(body.size() + 2, 4098u) << "tokens too many for one chunk";
  const unsigned header = 0x8000 | 0x3000 | static_cast<unsigned>(body.size() + 2 - 3);
  Bytes chunk = {static_cast<uint8_t>(header & 0xFF), static_cast<uint8_t>(header >> 8)};
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

// What the tokens stand for, expanded one byte at a time.
std::string Expand(const std::vector<Token>& tokens) {
  std::string out;
  for (const Token& token : tokens) {
    if (token.offset == 0) {
      out += static_cast<char>(token.literal);
    } else {
      for (size_t i = 0; i < token.length; ++i) out += out[out.size() - token.offset];
    }
  }
  return out;
}

Bytes Container(const std::vector<Bytes>& chunks) {
  Bytes container = {0x01};
  for (const Bytes& chunk : chunks) container.insert(container.end(), chunk.begin(), chunk.end());
  return container;
}

std::string Decompress(const Bytes& container, size_t max_output = 1 << 20) {
  const Bytes out = DecompressContainer(container, "test", max_output);
  return std::string(out.begin(), out.end());
}

std::string ErrorOf(const Bytes& container, size_t max_output = 1 << 20) {
  try {
    Decompress(container, max_output);
  } catch (const FormatError& error) {
    return error.what();
  }
  return "no error";
}

TEST(OvbaDecompress, ReadsTheExampleContainerOfMsOvba) {
  // The worked compression example of [MS-OVBA]: a container and the text it holds.
  const Bytes container = {0x01, 0x2F, 0xB0, 0x00, 0x23, 0x61, 0x61, 0x61, 0x62, 0x63, 0x64,
                           0x65, 0x82, 0x66, 0x00, 0x70, 0x61, 0x67, 0x68, 0x69, 0x6A, 0x01,
                           0x38, 0x08, 0x61, 0x6B, 0x6C, 0x00, 0x30, 0x6D, 0x6E, 0x6F, 0x70,
                           0x06, 0x71, 0x02, 0x70, 0x04, 0x10, 0x72, 0x73, 0x74, 0x75, 0x76,
                           0x10, 0x77, 0x78, 0x79, 0x7A, 0x00, 0x3C};
  EXPECT_EQ(Decompress(container), "#aaabcdefaaaaghijaaaaaklaaamnopqaaaaaaaaaaaarstuvwxyzaaa");
}

// Tokens that decompress to `size` bytes: the alphabet, then copies of it short enough for any
// position.
std::vector<Token> Prefix(size_t size) {
  std::vector<Token> tokens;
  for (size_t i = 0; i < size && i < 26; ++i) tokens.push_back(Lit(static_cast<char>('a' + i)));
  for (size_t position = 26; position < size;) {
    const size_t length = std::min<size_t>(size - position, 18);
    if (length < 3) {
      for (size_t i = 0; i < length; ++i) tokens.push_back(Lit('!'));
    } else {
      tokens.push_back(Copy(26, length));
    }
    position += length;
  }
  return tokens;
}

TEST(OvbaDecompress, SplitsCopyTokensByThePositionInTheChunk) {
  // The offset field widens by one bit past positions 16, 32, ..., 2048: a token on either
  // side of each step must decode to the same copy.
  for (const size_t position : {1, 15, 16, 17, 31, 32, 33, 2048, 2049, 4000}) {
    std::vector<Token> tokens = Prefix(position);
    tokens.push_back(Copy(position, 3));  // reaches the chunk's first byte
    tokens.push_back(Copy(1, 3));
    EXPECT_EQ(Decompress(Container({CompressedChunk(tokens)})), Expand(tokens))
        << "copy at position " << position;
  }
}

TEST(OvbaDecompress, MatchesByteByByteExpansionOfRandomTokens) {
  // Overlapping copies of every offset and length, across several chunks.
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<Bytes> chunks;
    std::string expected;
    for (int c = 0; c < 3; ++c) {
      std::vector<Token> tokens;
      size_t position = 0;
      const size_t target = 1 + random() % 4096;
      while (position < target && tokens.size() < 1600) {
        if (position == 0 || random() % 3 == 0) {
          tokens.push_back(Lit(static_cast<char>('A' + random() % 4)));
          ++position;
          continue;
        }
        int offset_bits = 4;
        while ((size_t{1} << offset_bits) < position) ++offset_bits;
        const size_t max_length = std::min((size_t{0xFFFF} >> offset_bits) + 3, 4096 - position);
        if (max_length < 3) break;
        const size_t offset = 1 + random() % std::min<size_t>(position, random() % 2 ? 20 : 4096);
        const size_t length = 3 + random() % (std::min<size_t>(max_length, 40) - 2);
        tokens.push_back(Copy(offset, length));
        position += length;
      }
      chunks.push_back(CompressedChunk(tokens));
      expected += Expand(tokens);
    }
    ASSERT_EQ(Decompress(Container(chunks)), expected) << "round " << round;
  }
}

TEST(OvbaDecompress, CopiesRawChunksAndStartsEachChunkAfresh) {
  Bytes raw = {0xFF, 0x3F};  // 4098 bytes, raw
  for (int i = 0; i < 4096; ++i) raw.push_back(static_cast<uint8_t>('0' + i % 10));
  const std::string text = Decompress(Container({raw, CompressedChunk({Lit('x'), Copy(1, 3)})}));
  EXPECT_EQ(text.size(), 4100u);
  EXPECT_EQ(text.substr(4090), "012345xxxx");

  // A copy in the second chunk cannot reach into the first.
  EXPECT_THAT(ErrorOf(Container({raw, CompressedChunk({Lit('x'), Copy(2, 3)})})),
              HasSubstr("test at offset 4103: a copy token reaches 2 bytes back, before the "
                        "start of its chunk (1 bytes in)"));
  EXPECT_THAT(ErrorOf(Container({CompressedChunk({Copy(1, 3)})})),
              HasSubstr("before the start of its chunk"));
}

TEST(OvbaDecompress, RefusesDamagedContainers) {
  const Bytes good = CompressedChunk({Lit('a'), Lit('b'), Lit('c')});
  EXPECT_THAT(ErrorOf({}), HasSubstr("empty"));
  EXPECT_THAT(ErrorOf({0x02, good[0], good[1]}), HasSubstr("the first byte is 0x02, not 0x01"));

  Bytes bad_signature = good;
  bad_signature[1] &= 0x8F;  // chunk signature 0b000
  EXPECT_THAT(ErrorOf(Container({bad_signature})),
              HasSubstr("test at offset 1: chunk header 0x8003 lacks the chunk signature"));

  // A last chunk cut short is an error: real containers end on a chunk boundary.
  Bytes truncated = Container({good});
  truncated.pop_back();
  EXPECT_THAT(ErrorOf(truncated), HasSubstr("a chunk of 6 bytes runs past the end of the data "
                                            "(5 bytes left)"));
  EXPECT_THAT(ErrorOf({0x01, 0x00}), HasSubstr("a chunk header is cut short"));
  EXPECT_THAT(ErrorOf(Container({{0x00, 0x30, 'a'}})), HasSubstr("a raw chunk of 3 bytes"));

  Bytes cut_token = CompressedChunk({Lit('a'), Copy(1, 3)});
  cut_token.pop_back();
  --cut_token[0];
  EXPECT_THAT(ErrorOf(Container({cut_token})), HasSubstr("a copy token is cut short"));

  std::vector<Token> overlong = {Lit('z'), Copy(1, 4094), Copy(1, 3)};
  EXPECT_THAT(ErrorOf(Container({CompressedChunk(overlong)})),
              HasSubstr("a copy token of 3 bytes at byte 4095 makes its chunk longer than 4096 "
                        "bytes"));
  overlong = {Lit('z'), Copy(1, 4095), Lit('z')};
  EXPECT_THAT(ErrorOf(Container({CompressedChunk(overlong)})),
              HasSubstr("a chunk decompresses to more than 4096 bytes"));
}

TEST(OvbaDecompress, StopsAtTheOutputLimit) {
  // 3 bytes of tokens per 4096 bytes of output: a crafted container inflates about 680-fold.
  const Bytes chunk = CompressedChunk({Lit('a'), Copy(1, 4095)});
  const Bytes container = Container({chunk, chunk, chunk});
  EXPECT_EQ(Decompress(container, 3 * 4096).size(), 3u * 4096);
  EXPECT_THAT(ErrorOf(container, 3 * 4096 - 1), HasSubstr("decompresses to more than 12287"));
}

}  // namespace
}  // namespace tovalin
