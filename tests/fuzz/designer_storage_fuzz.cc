// Any bytes read as a form's designer storage give a form whose every read answers or fails
// with a HostError, or a FormatError for the whole form. The input is either a compound file
// (an exported .frx, with or without its header) or streams separated by "\xFF\xFE##": the
// form's "f", "o", and the "f", "o" and "x" of a container with ID 1 ("i01") and of one with
// ID 2 inside it ("i01/i02"), so that mutations reach the records instead of the container.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/host_error.h"
#include "host/office/compound_file.h"
#include "host/office/designer_storage.h"
#include "host/office/format_error.h"
#include "support/compound_file_writer.h"

namespace {

using tovalin::Control;
using tovalin::HostError;

void ReadEverything(Control& control, int depth) {
  static const char* const kNames[] = {
      "Caption",    "Accelerator",   "BackColor",      "ForeColor",  "Enabled",   "TextAlign",
      "AutoSize",   "BorderStyle",   "WordWrap",       "Locked",     "MaxLength", "MultiLine",
      "Text",       "Value",         "MultiSelect",    "Style",      "GroupName", "PasswordChar",
      "ScrollBars", "HideSelection", "IntegralHeight", "Orientation"};
  auto attempt = [](auto&& read) {
    try {
      (void)read();
    } catch (const HostError&) {
    }
  };
  attempt([&] { return control.Name(); });
  attempt([&] { return control.Left() + control.Top() + control.Width() + control.Height(); });
  attempt([&] { return control.TabIndex(); });
  attempt([&] { return control.Tag() + control.ControlTipText(); });
  for (const char* name : kNames) attempt([&] { return control.Get(name); });
  attempt([&] { return control.Object()->Get("Caption"); });
  if (depth > 100) __builtin_trap();  // the reader bounds nesting far below this
  try {
    for (const auto& child : control.Controls()) ReadEverything(*child, depth + 1);
  } catch (const HostError&) {
  }
}

std::vector<uint8_t> BuildStorage(std::string_view input) {
  std::vector<std::vector<uint8_t>> parts;
  while (true) {
    const size_t mark = input.find("\xFF\xFE##");
    const std::string_view part = input.substr(0, mark);
    parts.emplace_back(part.begin(), part.end());
    if (mark == std::string_view::npos) break;
    input.remove_prefix(mark + 4);
  }
  parts.resize(7);
  tovalin::testing::CfbWriter writer;
  writer.AddStream(writer.kRoot, u"f", parts[0]);
  if (!parts[1].empty()) writer.AddStream(writer.kRoot, u"o", parts[1]);
  const auto frame = writer.AddStorage(writer.kRoot, u"i01");
  writer.AddStream(frame, u"f", parts[2]);
  if (!parts[3].empty()) writer.AddStream(frame, u"o", parts[3]);
  if (!parts[4].empty()) writer.AddStream(frame, u"x", parts[4]);
  const auto inner = writer.AddStorage(frame, u"i02");
  writer.AddStream(inner, u"f", parts[5]);
  if (!parts[6].empty()) writer.AddStream(inner, u"o", parts[6]);
  return writer.Build();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.substr(0, 2) == "LB" && input.size() >= 24) input.remove_prefix(24);
  std::vector<uint8_t> bytes;
  if (tovalin::CompoundFile::HasSignature(
          std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(input.data()), input.size()))) {
    bytes.assign(input.begin(), input.end());
  } else {
    bytes = BuildStorage(input);
  }
  try {
    const tovalin::CompoundFile file = tovalin::CompoundFile::Open(
        std::make_shared<const std::vector<uint8_t>>(std::move(bytes)), "fuzz.frx");
    const auto form = tovalin::ReadDesigner(file, file.root(), {});
    try {
      (void)form->BackColor();
      (void)form->InsideWidth();
      (void)form->GetFont();
    } catch (const HostError&) {
    }
    for (const auto& control : form->Controls()) ReadEverything(*control, 0);
  } catch (const tovalin::FormatError&) {
  }
  return 0;
}
