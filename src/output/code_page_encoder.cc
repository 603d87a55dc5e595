#include "output/code_page_encoder.h"

#include <utility>

#include "output/platform_encoder.h"

namespace tovalin {
namespace {

// Code pages whose characters are not single bytes or byte sequences (UTF-16, UTF-32): their
// output could not be framed with the CR LF bytes.
bool IsWideCodePage(uint32_t code_page) {
  return code_page == 1200 || code_page == 1201 || code_page == 12000 || code_page == 12001;
}

// Splits the input into well-formed runs, which the platform encoder converts, and single bytes
// that are not UTF-8, each written as one "?", so that every platform counts them alike.
class ValidatingEncoder : public CodePageEncoder {
 public:
  explicit ValidatingEncoder(std::unique_ptr<CodePageEncoder> platform)
      : platform_(std::move(platform)) {}

  size_t Encode(std::string_view utf8, std::string& out) override {
    size_t substituted = 0;
    while (!utf8.empty()) {
      size_t valid = 0;
      while (valid < utf8.size()) {
        const size_t length = Utf8SequenceLength(utf8.substr(valid));
        if (length == 0) break;
        valid += length;
      }
      if (valid > 0) substituted += platform_->Encode(utf8.substr(0, valid), out);
      utf8.remove_prefix(valid);
      if (!utf8.empty()) {
        out += '?';
        ++substituted;
        utf8.remove_prefix(1);
      }
    }
    return substituted;
  }

 private:
  std::unique_ptr<CodePageEncoder> platform_;
};

// The document's keywords, numbers and line ends are ASCII: a code page that writes printable
// ASCII, CR or LF as other bytes (EBCDIC, say) cannot hold a form file.
bool KeepsAscii(CodePageEncoder& encoder) {
  std::string ascii = "\r\n";
  for (char c = 0x20; c < 0x7F; ++c) ascii += c;
  std::string encoded;
  return encoder.Encode(ascii, encoded) == 0 && encoded == ascii;
}

}  // namespace

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

std::unique_ptr<CodePageEncoder> CodePageEncoder::Create(uint32_t code_page) {
  if (IsWideCodePage(code_page)) return nullptr;
  std::unique_ptr<CodePageEncoder> platform = CreatePlatformEncoder(code_page);
  if (platform == nullptr) return nullptr;
  auto encoder = std::make_unique<ValidatingEncoder>(std::move(platform));
  if (!KeepsAscii(*encoder)) return nullptr;
  return encoder;
}

bool IsSupportedCodePage(uint32_t code_page) {
  return CodePageEncoder::Create(code_page) != nullptr;
}

}  // namespace tovalin
