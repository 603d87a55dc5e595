#include "host/code_page_names.h"

namespace tovalin {

std::vector<std::string> IconvNamesForCodePage(uint32_t code_page) {
  const std::string number = std::to_string(code_page);
  switch (code_page) {
    case 65001:
      return {"UTF-8"};
    case 1200:
      return {"UTF-16LE"};
    case 1201:
      return {"UTF-16BE"};
    case 20127:
      return {"ASCII"};
    case 10000:
      return {"MACINTOSH"};
    case 20866:
      return {"KOI8-R"};
    case 21866:
      return {"KOI8-U"};
    case 54936:
      return {"GB18030"};
    case 932:
      return {"CP932", "WINDOWS-31J"};
    case 949:
      return {"CP949", "UHC"};
    case 950:
      return {"CP950", "BIG5"};
    default:
      break;
  }
  if (code_page >= 28591 && code_page <= 28606) {
    return {"ISO-8859-" + std::to_string(code_page - 28590)};
  }
  if (code_page >= 1250 && code_page <= 1258) return {"CP" + number, "WINDOWS-" + number};
  return {"CP" + number};
}

}  // namespace tovalin
