#include "host/office/code_page_decoder.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "host/code_page_names.h"
#include "host/office/utf.h"

namespace tovalin {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t Handle(void* cd) { return static_cast<iconv_t>(cd); }

// The length of the leading run of bytes below 0x80.
size_t AsciiPrefix(std::string_view bytes) {
  const char* data = bytes.data();
  const size_t size = bytes.size();
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, data + i, 8);
    if ((word & 0x8080808080808080u) != 0) break;
  }
  while (i < size && static_cast<unsigned char>(data[i]) < 0x80) ++i;
  return i;
}

// The length of the leading run of bytes at or above 0x40 (the characters of a double-byte code
// page, with their ASCII letters).
size_t RunAbove0x3F(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x40) ++i;
  return i;
}

}  // namespace

CodePageDecoder::CodePageDecoder(uint32_t code_page) : code_page_(code_page) {
  for (const std::string& name : IconvNamesForCodePage(code_page)) {
    iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd != kNoConverter) {
      cd_ = cd;
      supported_ = true;
      break;
    }
  }
  if (!supported_) {
    ascii_compatible_ = true;
    return;
  }
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
  std::string decoded;
  IconvTo(ascii, decoded);
  ascii_compatible_ = decoded == ascii;
  if (!ascii_compatible_) return;
  single_byte_ = BuildTable();
  cuts_below_0x40_ = code_page == 932 || code_page == 936 || code_page == 949 || code_page == 950 ||
                     code_page == 65001;
}

CodePageDecoder::~CodePageDecoder() {
  if (cd_ != nullptr) iconv_close(Handle(cd_));
}

// Decodes each byte 0x80-0xFF alone. When one of them only begins a character, the code page is
// not a single-byte one and there is no table.
bool CodePageDecoder::BuildTable() {
  iconv_t cd = Handle(cd_);
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    char in_byte = static_cast<char>(byte);
    char* in = &in_byte;
    size_t in_left = 1;
    char buffer[16];
    char* to = buffer;
    size_t to_left = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t result = iconv(cd, &in, &in_left, &to, &to_left);
    const int error = errno;
    if (result != static_cast<size_t>(-1)) iconv(cd, nullptr, nullptr, &to, &to_left);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    TableEntry& entry = table_[byte - 0x80];
    std::string_view utf8(buffer, sizeof buffer - to_left);
    if (result == static_cast<size_t>(-1)) {
      if (error != EILSEQ) return false;  // EINVAL: a lead byte
      utf8 = kReplacement;
    }
    if (utf8.empty() || utf8.size() > sizeof entry.bytes) return false;
    std::memcpy(entry.bytes, utf8.data(), utf8.size());
    entry.length = static_cast<uint8_t>(utf8.size());
  }
  return true;
}

void CodePageDecoder::DecodeTo(std::string_view bytes, std::string& out) {
  if (!ascii_compatible_) {
    IconvTo(bytes, out);
    return;
  }
  out.reserve(out.size() + bytes.size());
  while (!bytes.empty()) {
    const size_t ascii = AsciiPrefix(bytes);
    out.append(bytes.data(), ascii);
    bytes.remove_prefix(ascii);
    if (bytes.empty()) break;
    if (!supported_) {
      out += kReplacement;
      bytes.remove_prefix(1);
    } else if (single_byte_) {
      while (!bytes.empty() && static_cast<unsigned char>(bytes[0]) >= 0x80) {
        const TableEntry& entry = table_[static_cast<unsigned char>(bytes[0]) - 0x80];
        out.append(entry.bytes, entry.length);
        bytes.remove_prefix(1);
      }
    } else if (cuts_below_0x40_) {
      const size_t run = RunAbove0x3F(bytes);
      IconvTo(bytes.substr(0, run), out);
      bytes.remove_prefix(run);
    } else {
      IconvTo(bytes, out);
      break;
    }
  }
}

void CodePageDecoder::IconvTo(std::string_view bytes, std::string& out) {
  constexpr size_t kFailed = static_cast<size_t>(-1);
  iconv_t cd = Handle(cd_);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  size_t used = out.size();
  // One byte of a code page becomes at most three bytes of UTF-8 (a character of the Basic
  // Multilingual Plane); a fuller output grows below.
  out.resize(used + in_left * 3 + 16);
  while (true) {
    // With all input converted, one more call ends any shift state the text left open.
    const bool flush = in_left == 0;
    char* to = out.data() + used;
    size_t to_left = out.size() - used;
    const size_t result = flush ? iconv(cd, nullptr, nullptr, &to, &to_left)
                                : iconv(cd, &in, &in_left, &to, &to_left);
    const int error = errno;
    used = static_cast<size_t>(to - out.data());
    if (result != kFailed) {
      if (flush) break;
      continue;
    }
    if (error == E2BIG) {
      out.resize(out.size() + in_left * 3 + 16);
      continue;
    }
    if (flush || (error != EILSEQ && error != EINVAL)) {
      throw std::logic_error("iconv failed unexpectedly");
    }
    // A byte that starts no character (EILSEQ), or a character cut short by the end of the
    // text (EINVAL): the byte becomes U+FFFD and decoding goes on after it.
    ++in;
    --in_left;
    if (out.size() - used < kReplacement.size()) out.resize(used + kReplacement.size() + 16);
    out.replace(used, kReplacement.size(), kReplacement);
    used += kReplacement.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
}

std::string DecodeUtf16Le(std::span<const uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  const size_t units = bytes.size() / 2;
  const auto unit = [&](size_t i) -> uint32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
  for (size_t i = 0; i < units; ++i) {
    const uint32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
      const uint32_t low = unit(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) {
      out += kReplacement;
    } else {
      AppendUtf8(out, c);
    }
  }
  if (bytes.size() % 2 != 0) out += kReplacement;
  return out;
}

}  // namespace tovalin
