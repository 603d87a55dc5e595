// The PROJECT stream of a VBA project ([MS-OVBA] 2.3.1): text lines "Key=Value" in the project's
// code page. Its first section, up to the first "[" line, says what each module is: a document
// module ("Document=Name/&H00000000"), a standard module ("Module="), a class ("Class="), or a
// designer such as a UserForm ("BaseClass="). Later sections (host extenders, the editor's
// window positions) are not read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/office/vba_project.h"

namespace tovalin {

struct ProjectStreamModule {
  std::string name;
  VbaModuleKind kind;
};

struct ProjectStreamInfo {
  std::vector<ProjectStreamModule> modules;  // in the stream's order
};

// `text` is the stream decoded to UTF-8. Lines end with CR LF (a lone CR or LF also ends one);
// lines that are not module lines, and malformed ones, are passed over.
ProjectStreamInfo ParseProjectStream(std::string_view text);

// Sets each module's kind from the PROJECT stream, matching names without regard to ASCII
// letter case (the editor does not let two modules differ only in case). A module the stream
// does not mention is a standard module when procedural, else a class.
void ApplyModuleKinds(const ProjectStreamInfo& project, std::vector<VbaModule>& modules);

}  // namespace tovalin
