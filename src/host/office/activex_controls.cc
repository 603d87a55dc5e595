#include "host/office/activex_controls.h"

#include <array>

#include "host/office/byte_reader.h"

namespace tovalin {
namespace {

template <size_t N>
using Clsids = std::array<Guid, N>;

struct Library {
  std::string_view name;
  std::string_view file;
  std::string_view description;
};

constexpr Library kCommonControls{"MSComctlLib", "MSCOMCTL.OCX",
                                  "Microsoft Windows Common Controls 6.0 (SP6)"};
constexpr Library kCommonControls2{"MSComCtl2", "MSCOMCT2.OCX",
                                   "Microsoft Windows Common Controls-2 6.0 (SP6)"};
constexpr Library kRefEdit{"RefEdit", "REFEDIT.DLL", "Ref Edit Control"};
constexpr Library kInkEdit{"INKEDLib", "inked.dll", "Microsoft InkEdit Control"};
constexpr Library kCommonDialog{"MSComDlg", "COMDLG32.OCX",
                                "Microsoft Common Dialog Control 6.0 (SP6)"};
constexpr Library kRichText{"RichTextLib", "RICHTX32.OCX",
                            "Microsoft Rich Textbox Control 6.0 (SP6)"};
constexpr Library kFlexGrid{"MSFlexGridLib", "MSFLXGRD.OCX",
                            "Microsoft FlexGrid Control 6.0 (SP6)"};
constexpr Library kInternetControls{"SHDocVw", "ieframe.dll", "Microsoft Internet Controls"};
constexpr Library kMediaPlayer{"WMPLib", "wmp.dll", "Windows Media Player"};
constexpr Library kCalendar{"MSACAL", "MSCAL.OCX", "Microsoft Calendar Control"};

// The ListView and TreeView of MSCOMCTL.OCX were given new CLSIDs twice by security updates;
// each list starts with the original one.
constexpr Clsids<3> kListView{ClsidOf("{BDD1F04B-858B-11D1-B16A-00C0F0283628}"),
                              ClsidOf("{996BF5E0-8044-4650-ADEB-0B013914E99C}"),
                              ClsidOf("{CCDB0DF2-FD1A-4856-80BC-32929D8359B7}")};
constexpr Clsids<3> kTreeView{ClsidOf("{C74190B6-8589-11D1-B16A-00C0F0283628}"),
                              ClsidOf("{9181DC5F-E07D-418A-ACA6-8EEA1ECB8E9E}"),
                              ClsidOf("{DD2DBE12-F9F8-4E32-B087-DAD1DCEF0783}")};
constexpr Clsids<1> kImageList{ClsidOf("{2C247F23-8591-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kProgressBar{ClsidOf("{35053A22-8589-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kSlider{ClsidOf("{F08DF954-8592-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kStatusBar{ClsidOf("{8E3867A3-8586-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kToolbar{ClsidOf("{66833FE6-8583-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kTabStrip{ClsidOf("{1EFB6596-857C-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kImageCombo{ClsidOf("{DD9DA666-8594-11D1-B16A-00C0F0283628}")};
constexpr Clsids<1> kAnimation{ClsidOf("{B09DE715-87C1-11D1-8BE3-0000F8754DA1}")};
constexpr Clsids<1> kUpDown{ClsidOf("{603C7E80-87C2-11D1-8BE3-0000F8754DA1}")};
constexpr Clsids<1> kMonthView{ClsidOf("{232E456A-87C3-11D1-8BE3-0000F8754DA1}")};
constexpr Clsids<1> kDtPicker{ClsidOf("{20DD1B9E-87C4-11D1-8BE3-0000F8754DA1}")};
constexpr Clsids<1> kFlatScrollBar{ClsidOf("{FE38753A-44A3-11D1-B5B7-0000C09000C4}")};
// The class the designer stores, and the one the "RefEdit.Ctrl" programmatic name selects.
constexpr Clsids<2> kRefEditClsids{ClsidOf("{00024512-0000-0000-C000-000000000046}"),
                                   ClsidOf("{00024522-0000-0000-C000-000000000046}")};
constexpr Clsids<1> kInkEditClsids{ClsidOf("{E5CA59F5-57C4-4DD8-9BD6-1DEEEDD27AF4}")};
constexpr Clsids<1> kCommonDialogClsids{ClsidOf("{F9043C85-F6F2-101A-A3C9-08002B2F49FB}")};
constexpr Clsids<1> kRichTextBox{ClsidOf("{3B7C8860-D78F-101B-B9B5-04021C009402}")};
constexpr Clsids<1> kFlexGridClsids{ClsidOf("{6262D3A0-531B-11CF-91F6-C2863C385E30}")};
constexpr Clsids<1> kWebBrowser{ClsidOf("{8856F961-340A-11D0-A96B-00C04FD705A2}")};
constexpr Clsids<1> kWindowsMediaPlayer{ClsidOf("{6BF52A52-394A-11D3-B153-00C04F79FAA6}")};
constexpr Clsids<1> kCalendarClsids{ClsidOf("{8E27C92B-1264-101C-8A2F-040224009C02}")};

constexpr KnownActiveXControl Entry(std::string_view type_name, const Library& library,
                                    std::span<const Guid> clsids) {
  return {type_name, library.name, library.file, library.description, clsids};
}

constexpr std::array kControls{
    Entry("ListView", kCommonControls, kListView),
    Entry("TreeView", kCommonControls, kTreeView),
    Entry("ImageList", kCommonControls, kImageList),
    Entry("ProgressBar", kCommonControls, kProgressBar),
    Entry("Slider", kCommonControls, kSlider),
    Entry("StatusBar", kCommonControls, kStatusBar),
    Entry("Toolbar", kCommonControls, kToolbar),
    Entry("TabStrip", kCommonControls, kTabStrip),
    Entry("ImageCombo", kCommonControls, kImageCombo),
    Entry("Animation", kCommonControls2, kAnimation),
    Entry("UpDown", kCommonControls2, kUpDown),
    Entry("MonthView", kCommonControls2, kMonthView),
    Entry("DTPicker", kCommonControls2, kDtPicker),
    Entry("FlatScrollBar", kCommonControls2, kFlatScrollBar),
    Entry("RefEdit", kRefEdit, kRefEditClsids),
    Entry("InkEdit", kInkEdit, kInkEditClsids),
    Entry("CommonDialog", kCommonDialog, kCommonDialogClsids),
    Entry("RichTextBox", kRichText, kRichTextBox),
    Entry("MSFlexGrid", kFlexGrid, kFlexGridClsids),
    Entry("WebBrowser", kInternetControls, kWebBrowser),
    Entry("WindowsMediaPlayer", kMediaPlayer, kWindowsMediaPlayer),
    Entry("Calendar", kCalendar, kCalendarClsids),
};

constexpr uint32_t kExtentSignature = 0x12344321;

}  // namespace

std::span<const KnownActiveXControl> KnownActiveXControls() { return kControls; }

const KnownActiveXControl* FindActiveXControl(const Guid& clsid) {
  for (const KnownActiveXControl& control : kControls) {
    for (const Guid& known : control.clsids) {
      if (known == clsid) return &control;
    }
  }
  return nullptr;
}

std::vector<std::string> KnownActiveXClassKeys() {
  std::vector<std::string> keys;
  keys.reserve(kControls.size());
  for (const KnownActiveXControl& control : kControls) {
    keys.push_back(std::string(control.library) + "." + std::string(control.type_name));
  }
  return keys;
}

std::optional<HimetricSize> PersistedExtent(std::span<const uint8_t> data) {
  ByteReader reader(data, "the control's data");
  if (reader.remaining() < 16 || reader.U32() != kExtentSignature || reader.U32() < 8) {
    return std::nullopt;
  }
  HimetricSize size;
  size.width = static_cast<int32_t>(reader.U32());
  size.height = static_cast<int32_t>(reader.U32());
  return size;
}

}  // namespace tovalin
