#include "output/file_class.h"

#include <stdexcept>
#include <utility>

#include "output/code_page_encoder.h"

namespace tovalin {

FileClass::FileClass(Runtime& runtime) : runtime_(runtime) {}

FileClass::~FileClass() {
  try {
    CloseFile();
  } catch (const HostError&) {
    // Nobody is left to tell; the stream is released either way.
  }
}

bool FileClass::CreateFile(const std::string& FileName) {
  // Every failure below becomes the current error and the result False; nothing is raised.
  runtime_.err.Clear();
  if (stream_) {
    // A second CreateFile on the same object: finish the first file before starting anew.
    try {
      CloseFile();
    } catch (const HostError& e) {
      runtime_.err.Set(e);
      return false;
    }
  }
  write_failure_.reset();
  bytes_written_ = 0;
  limit_reached_ = false;
  substituted_characters_ = 0;

  // Settle the encoding first, so that an unusable code page leaves the file untouched.
  encoder_ = CodePageEncoder::Create(runtime_.output_code_page);
  if (!encoder_) {
    runtime_.err.Set(
        HostError(kErrInvalidCall,
                  "Code page " + std::to_string(runtime_.output_code_page) + " is not supported"));
    return false;
  }
  try {
    // The open itself empties the file: an old, longer file keeps no bytes past the new end.
    stream_ = runtime_.file_system.OpenExclusive(FileName);
  } catch (const HostError& e) {
    runtime_.err.Set(e);
    return false;
  }
  if (!stream_) throw std::logic_error("FileSystem::OpenExclusive returned no stream");
  return true;
}

void FileClass::WriteLine(const std::string& Line) {
  try {
    if (!stream_) throw HostError(kErrBadFileName);
    std::string bytes;
    bytes.reserve(Line.size() + 2);
    substituted_characters_ += encoder_->Encode(Line + "\r\n", bytes);
    if (bytes.size() > kMaxFileBytes - bytes_written_) {
      limit_reached_ = true;
      throw HostError(kErrDeviceIo,
                      "The file would grow beyond " + std::to_string(kMaxFileBytes >> 20) + " MB");
    }
    // One write per line: the line and its CR LF reach the file together or not at all.
    stream_->Write(bytes);
    bytes_written_ += bytes.size();
  } catch (const HostError& e) {
    if (!write_failure_) write_failure_ = e;
    throw;
  }
}

void FileClass::CloseFile() {
  if (!stream_) return;
  // The stream is given up whether or not its close succeeds: there is nothing to retry.
  std::unique_ptr<OutputStream> stream = std::move(stream_);
  try {
    stream->Close();
  } catch (const HostError& e) {
    if (!write_failure_) write_failure_ = e;
    throw;
  }
}

}  // namespace tovalin
