// Shared helpers of the in-memory model and loader tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/host_error.h"
#include "host/memory/project_loader.h"

namespace tovalin::testing {

inline LoadedDescription Load(std::string_view json) {
  return LoadProjectDescription(json, "t.json");
}

// The message of the DescriptionError that `load` throws, or "(loaded)".
inline std::string RefusalOf(const std::function<void()>& load) {
  try {
    load();
  } catch (const DescriptionError& e) {
    return e.what();
  }
  return "(loaded)";
}

inline std::string RefusalOf(std::string_view json) {
  return RefusalOf([json] { Load(json); });
}

// The number of the HostError that `read` throws, or 0 when it succeeds.
inline int32_t ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const HostError& e) {
    return e.number();
  }
  return 0;
}

// "number: description" of the HostError that `read` throws, or "(read)".
inline std::string FailureOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const HostError& e) {
    return std::to_string(e.number()) + ": " + e.description();
  }
  return "(read)";
}

// A description with one form "frmT" whose designer holds `designer_fields` (without braces).
inline std::string FormDescription(std::string_view designer_fields) {
  return R"({"activeProject": {"components": [{"name": "frmT", "type": 3, "designer": {)" +
         std::string(designer_fields) + "}}]}}";
}

inline std::shared_ptr<UserForm> FormOf(const LoadedDescription& loaded, size_t index = 0) {
  return loaded.vbe->ActiveVBProject()->VBComponents().at(index)->Designer();
}

}  // namespace tovalin::testing
