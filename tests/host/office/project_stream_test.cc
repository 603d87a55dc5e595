#include "host/office/project_stream.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovalin {
namespace {

TEST(ProjectStream, GivesEachModuleItsKindFromTheFirstSection) {
  const ProjectStreamInfo info = ParseProjectStream(
      "ID=\"{CB4295B1-A89C-4266-9B0A-4A93E9CA795A}\"\r\n"
      "Document=ThisWorkBook/&H00000000\r\n"
      "Module=Module1\r\n"
      "Package={AC9F2F90-E877-11CE-9F68-00AA00574A4F}\r\n"
      "BaseClass=UserForm1\r\n"
      "Class=Helper\n"  // a lone LF ends a line too
      "Name=\"VBAProject\"\r\n"
      "\r\n"
      "[Host Extender Info]\r\n"
      "&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n"
      "[Workspace]\r\n"
      "Module=NotAModule\r\n");

  std::vector<VbaModule> modules(6);
  modules[0].name = "ThisWorkbook";  // case differs from the PROJECT stream
  modules[1].name = "Module1";
  modules[2].name = "UserForm1";
  modules[3].name = "Helper";
  modules[4].name = "Unlisted";
  modules[4].procedural = true;
  modules[5].name = "NotAModule";
  ApplyModuleKinds(info, modules);
  EXPECT_EQ(modules[0].kind, VbaModuleKind::kDocument);
  EXPECT_EQ(modules[1].kind, VbaModuleKind::kStandard);
  EXPECT_EQ(modules[2].kind, VbaModuleKind::kDesigner);
  EXPECT_EQ(modules[3].kind, VbaModuleKind::kClass);
  EXPECT_EQ(modules[4].kind, VbaModuleKind::kStandard);  // not listed, procedural
  EXPECT_EQ(modules[5].kind, VbaModuleKind::kClass);     // not listed (a later section)
  EXPECT_EQ(info.modules.size(), 4u);
}

}  // namespace
}  // namespace tovalin
