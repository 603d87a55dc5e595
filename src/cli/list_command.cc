#include "cli/list_command.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/input.h"

namespace tovalin {
namespace {

const char* KindName(int32_t type) {
  switch (type) {
    case kStandardModule:
      return "module";
    case kClassModule:
      return "class";
    case kUserFormComponent:
      return "form";
    case kDocumentModule:
      return "document";
    default:
      return "other";
  }
}

nlohmann::json ProjectJson(const LoadedDescription& loaded) {
  nlohmann::json project = {
      {"name", nullptr}, {"codePage", loaded.code_page}, {"components", nlohmann::json::array()}};
  if (auto active = loaded.vbe->ActiveVBProject()) {
    project["name"] = active->Name();
    for (const auto& component : active->VBComponents()) {
      project["components"].push_back({{"name", component->Name()}, {"type", component->Type()}});
    }
  }
  return project;
}

void PrintText(const std::string& input, const nlohmann::json& project) {
  std::printf("%s\n", input.c_str());
  const std::string name =
      project["name"].is_null() ? "(no active project)" : project["name"].get<std::string>();
  std::printf("  project %s, code page %u\n", name.c_str(), project["codePage"].get<unsigned>());
  for (const auto& component : project["components"]) {
    const int32_t type = component["type"].get<int32_t>();
    std::printf("  %s %-31s %s\n", type == kUserFormComponent ? "*" : " ",
                component["name"].get<std::string>().c_str(), KindName(type));
  }
}

}  // namespace

int RunList(const std::vector<std::string>& inputs, bool json) {
  int status = kExitOk;
  nlohmann::json listing = nlohmann::json::array();
  for (const std::string& input : inputs) {
    try {
      const LoadedDescription loaded = OpenInput(input);
      for (const std::string& warning : loaded.warnings) {
        std::fprintf(stderr, "tovalin: warning: %s\n", warning.c_str());
      }
      nlohmann::json project = ProjectJson(loaded);
      if (!json) PrintText(input, project);
      listing.push_back({{"input", input}, {"project", std::move(project)}});
    } catch (const InputError& e) {
      std::fprintf(stderr, "tovalin: %s\n", e.what());
      listing.push_back({{"input", input}, {"error", e.what()}});
      if (status == kExitOk) status = e.exit_status();
    }
  }
  if (json) {
    // Names from damaged documents may hold bytes that are not UTF-8: they are replaced.
    std::printf("%s\n",
                listing.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
  }
  return status;
}

}  // namespace tovalin
