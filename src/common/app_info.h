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

// "Tovalin Version " and major.minor.revision in plain decimal: the About box's label.
inline std::string VersionText(int major, int minor, int revision) {
  return "Tovalin Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(revision);
}
// "Tovalin Version 1.1.116": this build's label, also the command line's --version.
inline std::string VersionText() {
  return VersionText(kVersionMajor, kVersionMinor, kVersionRevision);
}

inline constexpr std::string_view kMakerName = "Tovalin developers";
inline constexpr std::string_view kCopyright = "Copyright (C) 2026 Tovalin developers";
inline constexpr std::string_view kMakerEmail = "tovalin@example.org";
inline constexpr std::string_view kMakerWebAddress = "https://tovalin.example.org/";

// What the product does, in the About box.
inline constexpr std::string_view kProductDescription =
    "This add-in exports Microsoft Office 2000 forms and their associated code to Visual Basic "
    ".frm files.";

}  // namespace tovalin
