// Exports forms of a project description into a temporary folder, with scripted messages.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/export_class.h"
#include "host/memory/project_loader.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace tovalin::testing {

class ExportFixture : public ::testing::Test {
 protected:
  void Load(std::string_view json) { Use(LoadProjectDescription(json, "test.json")); }
  // Exports from an already loaded project (a document, an exported form).
  void Use(LoadedDescription loaded) {
    description_ = std::move(loaded);
    runtime_ = std::make_unique<Runtime>(Runtime{ErrorState{}, messages_, *file_system_,
                                                 *description_.class_registry, warnings_,
                                                 description_.code_page});
  }
  std::shared_ptr<VbComponent> Component(const std::string& name) {
    for (const auto& component : description_.vbe->ActiveVBProject()->VBComponents()) {
      if (component->Name() == name) return component;
    }
    ADD_FAILURE() << "no component " << name;
    return nullptr;
  }
  bool Export(const std::string& form, bool overwrite = true) {
    ExportClass exporter(*runtime_);
    return exporter.ExportForm(description_.vbe, Component(form), folder_.prefix(), overwrite);
  }
  std::string Output(const std::string& form) {
    return ReadFileBytes(folder_.path() / (form + ".frm"));
  }
  Runtime& runtime() { return *runtime_; }

  TempFolder folder_;
  ScriptedMessageBox messages_;
  RecordingWarnings warnings_;
  std::unique_ptr<FileSystem> file_system_ = std::make_unique<PosixFileSystem>();
  LoadedDescription description_;
  std::unique_ptr<Runtime> runtime_;
};

}  // namespace tovalin::testing
