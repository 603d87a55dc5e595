#include "dialogs/memory_views.h"

#include <algorithm>

#include "common/app_info.h"
#include "host/host_error.h"

namespace tovalin {
namespace {

constexpr int32_t kErrInvalidPropertyValue = 380;
constexpr int32_t kErrInvalidArrayIndex = 381;

}  // namespace

MemoryChooseFormView::MemoryChooseFormView(AboutViewFactory about_views)
    : about_views_(std::move(about_views)) {}

MemoryChooseFormView::Item& MemoryChooseFormView::At(int index) {
  if (index < 0 || static_cast<size_t>(index) >= items_.size()) {
    throw HostError(kErrInvalidArrayIndex, "Invalid property array index");
  }
  return items_[static_cast<size_t>(index)];
}

std::string MemoryChooseFormView::ItemText(int index) { return At(index).text; }

bool MemoryChooseFormView::Selected(int index) { return At(index).selected; }

void MemoryChooseFormView::SetSelected(int index, bool selected) {
  Item& item = At(index);
  if (item.selected == selected) return;
  item.selected = selected;
  RaiseListClick();
}

int MemoryChooseFormView::SelectedCount() {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const Item& item) { return item.selected; }));
}

void MemoryChooseFormView::SetOverwriteState(int state) {
  if (state != kUnchecked && state != kChecked && state != kGreyed) {
    throw HostError(kErrInvalidPropertyValue, "Invalid property value");
  }
  overwrite_state_ = state;
}

std::unique_ptr<AboutFormView> MemoryChooseFormView::CreateAboutView() {
  if (about_views_) return about_views_();
  return std::make_unique<MemoryAboutFormView>();
}

MemoryAboutFormView::MemoryAboutFormView(Script script)
    : script_(std::move(script)),
      description_(kProductDescription),
      copyright_(kCopyright),
      email_(kMakerEmail),
      www_(kMakerWebAddress) {}

void MemoryAboutFormView::ShowModal(AboutForm& form) {
  closed_ = false;
  if (script_) script_(form, *this);
  closed_ = true;
}

}  // namespace tovalin
