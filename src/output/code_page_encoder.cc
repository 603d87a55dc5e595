#include "output/code_page_encoder.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <vector>

#include "host/code_page_names.h"

namespace tovalin {
namespace {

// Code pages whose characters are not single bytes or byte sequences (UTF-16, UTF-32): their
// output could not be framed with the CR LF bytes.
bool IsWideCodePage(uint32_t code_page) {
  return code_page == 1200 || code_page == 1201 || code_page == 12000 || code_page == 12001;
}

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it does not start
// with one (a stray continuation byte, an overlong form, a surrogate, a value past U+10FFFF or a
// sequence cut short).
size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto continuation = [&](size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return continuation(1) ? 2 : 0;
  if (lead < 0xF0) {
    if (!continuation(1) || !continuation(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (lead < 0xF5) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // past U+10FFFF
    return 4;
  }
  return 0;
}

class IconvEncoder : public CodePageEncoder {
 public:
  explicit IconvEncoder(iconv_t cd) : cd_(cd) {}
  ~IconvEncoder() override { iconv_close(cd_); }
  IconvEncoder(const IconvEncoder&) = delete;
  IconvEncoder& operator=(const IconvEncoder&) = delete;

  size_t Encode(std::string_view utf8, std::string& out) override {
    size_t substituted = 0;
    // Start from the initial shift state whatever an earlier call left behind.
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (!utf8.empty()) {
      char* in = const_cast<char*>(utf8.data());
      size_t in_left = utf8.size();
      const size_t produced = Convert(&in, &in_left, out);
      const int error = errno;
      utf8.remove_prefix(utf8.size() - in_left);
      if (produced != kFailed) continue;
      if (error == E2BIG) continue;  // the buffer filled; what it held was appended
      if (error != EILSEQ && error != EINVAL) {
        throw std::logic_error("iconv failed unexpectedly");
      }
      // A character the code page lacks, or bytes that are not UTF-8 (EINVAL: a sequence cut
      // short at the end). Either way one "?" stands for what is skipped: the whole character,
      // or the one offending byte.
      const size_t length = Utf8SequenceLength(utf8);
      utf8.remove_prefix(length == 0 ? 1 : length);
      Flush(out);
      out += '?';
      ++substituted;
    }
    Flush(out);
    return substituted;
  }

 private:
  static constexpr size_t kFailed = static_cast<size_t>(-1);

  // One iconv call into the scratch buffer; appends what it produced to `out`. Returns iconv's
  // result; on kFailed errno says why.
  size_t Convert(char** in, size_t* in_left, std::string& out) {
    char* buffer = buffer_.data();
    size_t buffer_left = buffer_.size();
    errno = 0;
    const size_t result = iconv(cd_, in, in_left, &buffer, &buffer_left);
    const int error = errno;
    out.append(buffer_.data(), buffer_.size() - buffer_left);
    errno = error;
    if (result == kFailed && error == E2BIG && buffer_left == buffer_.size()) {
      // No room even for one character: cannot happen with this buffer size, but must not spin.
      throw std::logic_error("iconv output buffer too small");
    }
    return result;
  }

  // Writes whatever returns the converter to its initial shift state (nothing for stateless
  // code pages), so that each piece of output stands on its own.
  void Flush(std::string& out) {
    char* buffer = buffer_.data();
    size_t buffer_left = buffer_.size();
    iconv(cd_, nullptr, nullptr, &buffer, &buffer_left);
    out.append(buffer_.data(), buffer_.size() - buffer_left);
  }

  iconv_t cd_;
  std::array<char, 1024> buffer_{};
};

}  // namespace

namespace {

// The document's keywords, numbers and line ends are ASCII: a code page that writes printable
// ASCII, CR or LF as other bytes (EBCDIC, say) cannot hold a form file.
bool KeepsAscii(CodePageEncoder& encoder) {
  std::string ascii = "\r\n";
  for (char c = 0x20; c < 0x7F; ++c) ascii += c;
  std::string encoded;
  return encoder.Encode(ascii, encoded) == 0 && encoded == ascii;
}

}  // namespace

std::unique_ptr<CodePageEncoder> CodePageEncoder::Create(uint32_t code_page) {
  if (IsWideCodePage(code_page)) return nullptr;
  for (const std::string& name : IconvNamesForCodePage(code_page)) {
    iconv_t cd = iconv_open(name.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) continue;
    auto encoder = std::make_unique<IconvEncoder>(cd);
    return KeepsAscii(*encoder) ? std::move(encoder) : nullptr;
  }
  return nullptr;
}

bool IsSupportedCodePage(uint32_t code_page) {
  return CodePageEncoder::Create(code_page) != nullptr;
}

}  // namespace tovalin
