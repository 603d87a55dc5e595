// ExportClass: turns one UserForm component into one .frm document.
//
// The export runs in the skip-on-error model: every line is one step; a step whose host read
// fails is left out, its error becomes the current error, and the export goes on. Control blocks
// clear the current error at their end, so after ExportForm the current error holds a failure
// after the last control block (or of the form's own lines, for a form without controls), or a
// failed write, which the output file keeps until the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "host/object_model.h"
#include "host/runtime.h"
#include "output/file_class.h"

namespace tovalin {

class ExportClass {
 public:
  explicit ExportClass(Runtime& runtime) : runtime_(runtime) {}

  // Writes FolderName + the component's name + ".frm". True: go on with the next form (the form
  // was written, or the user chose not to replace its file). False: stop the batch (Cancel at
  // the overwrite question, or the file could not be created, which has been reported).
  bool ExportForm(const std::shared_ptr<Vbe>& IDE_, const std::shared_ptr<VbComponent>& Component,
                  const std::string& FolderName, bool Overwrite);

  // The file the last ExportForm wrote, empty when it wrote none.
  const std::string& written_file() const { return written_file_; }

  // Value texts of property lines: "-1"/"0"; "&H" + eight hex digits + "&"; a text in double
  // quotes with inner double quotes doubled.
  static std::string FormatBoolean(bool value);
  static std::string FormatColor(int32_t value);
  static std::string QuoteString(std::string_view text);

 private:
  void WriteFormProperties(const std::shared_ptr<UserForm>& form, VbComponent& component);
  void WriteControlBlocks(const std::shared_ptr<UserForm>& form);
  void WriteCode(VbComponent& component);
  void ExportFrame(const std::shared_ptr<Control>& Container, int32_t Level);
  void ExportControl(const std::shared_ptr<Control>& Ctl, int32_t Level, bool IsContainer);
  std::string GetControlClass(const std::shared_ptr<Control>& Ctl);
  // Appends a line to the output file; throws HostError when that fails.
  void WriteLine(const std::string& line);
  // True once the output file refused a line for its size: the walk stops.
  bool OutputLimitReached() const;

  Runtime& runtime_;
  std::shared_ptr<Vbe> IDE;
  std::unique_ptr<FileClass> OutputFile;
  std::string written_file_;
};

// The text of a position or size: points * 20 as a Single, in the general number format.
// Overflow raises 6.
std::string TwipsText(float points);

// The code text with every "Private Sub UserForm_" (any letter case) made "Private Sub Form_".
std::string RenameFormEventHeads(std::string_view code);

}  // namespace tovalin
