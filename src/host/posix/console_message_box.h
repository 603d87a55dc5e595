// Message boxes on a console. Questions (Yes/No/Cancel) are asked on the terminal; without a
// terminal they are answered No and a warning says so. Other boxes are printed to the error
// stream.
#pragma once

#include <cstdio>

#include "host/services.h"

namespace tovalin {

class ConsoleMessageBox : public MessageBox {
 public:
  // `in` and `out` are the terminal when `interactive`; `err` receives reports and warnings.
  ConsoleMessageBox(std::FILE* in, std::FILE* out, std::FILE* err, bool interactive);
  int Show(const std::string& text, int style, const std::string& title) override;

 private:
  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
  bool interactive_;
};

}  // namespace tovalin
