// Loads a project description (JSON, docs/project-description.md) into the in-memory object
// model: an editor state with its active project, components, designers and controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/object_model.h"
#include "host/services.h"

namespace tovalin {

// A malformed description. The message names the source and the JSON path of the fault, e.g.
// "form.json: /activeProject/components/0/designer/controls/2/Left: expected a value".
class DescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct LoadedDescription {
  std::shared_ptr<Vbe> vbe;
  // The active project's "codePage"; 1252 when absent or when there is no active project.
  uint32_t code_page = 1252;
  // Answers the class registry question from "registeredClasses".
  std::shared_ptr<ClassRegistry> class_registry;
  // Notes about the input that did not stop it from loading (a component left out, say).
  std::vector<std::string> warnings;
};

// `source_name` names the input in error messages.
LoadedDescription LoadProjectDescription(std::string_view json_text,
                                         const std::string& source_name);
// Reads and loads a file; an unreadable file is a DescriptionError naming it and the cause.
LoadedDescription LoadProjectDescriptionFile(const std::string& path);

// Caps on what a description may hold, so that hostile input is refused before it exhausts memory
// or time. A description beyond one is a DescriptionError saying which.
struct DescriptionLimits {
  size_t max_bytes = size_t{64} << 20;
  // JSON nesting. It must leave room for controls nested max_control_depth deep: two levels per
  // control and six above the form's controls.
  size_t max_json_depth = 256;
  int max_control_depth = 100;
  // Controls in the whole description.
  size_t max_controls = 100000;
};

// The same with other limits than the defaults (tests, fuzzing).
LoadedDescription LoadProjectDescription(std::string_view json_text, const std::string& source_name,
                                         const DescriptionLimits& limits);
LoadedDescription LoadProjectDescriptionFile(const std::string& path,
                                             const DescriptionLimits& limits);

}  // namespace tovalin
