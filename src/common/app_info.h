// The product's name, version and maker, defined once for every front end and resource.
#pragma once

#include <string>
#include <string_view>

namespace tovalin {

// The title of every message box and the dialog, and the settings store's application name.
inline constexpr std::string_view kApplicationTitle = "Export Forms to Visual Basic";

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 116;

// "Tovalin Version 1.1.116": the About box's label and the command line's --version.
inline std::string VersionText() {
  return "Tovalin Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
         "." + std::to_string(kVersionRevision);
}

inline constexpr std::string_view kMakerName = "Tovalin developers";
inline constexpr std::string_view kCopyright = "Copyright (C) 2026 Tovalin developers";
inline constexpr std::string_view kMakerEmail = "tovalin@example.org";
inline constexpr std::string_view kMakerWebAddress = "https://tovalin.example.org/";

}  // namespace tovalin
