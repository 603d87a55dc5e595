// The POSIX platform encoder: iconv from UTF-8 to the code page's iconv name.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <string>

#include "host/code_page_names.h"
#include "output/platform_encoder.h"

namespace tovalin {
namespace {

class IconvEncoder : public CodePageEncoder {
 public:
  explicit IconvEncoder(iconv_t cd) : cd_(cd) {}
  ~IconvEncoder() override { iconv_close(cd_); }
  IconvEncoder(const IconvEncoder&) = delete;
  IconvEncoder& operator=(const IconvEncoder&) = delete;

  // `utf8` is well-formed (platform_encoder.h).
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
      // A character the code page lacks: one "?" stands for the whole character.
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

std::unique_ptr<CodePageEncoder> CreatePlatformEncoder(uint32_t code_page) {
  for (const std::string& name : IconvNamesForCodePage(code_page)) {
    iconv_t cd = iconv_open(name.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) continue;
    return std::make_unique<IconvEncoder>(cd);
  }
  return nullptr;
}

}  // namespace tovalin
