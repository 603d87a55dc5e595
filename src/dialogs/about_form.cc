#include "dialogs/about_form.h"

#include "common/app_info.h"

namespace tovalin {

void AboutForm::Show() {
  Form_Load();
  view_.ShowModal(*this);
}

void AboutForm::Form_Load() { view_.SetVersionCaption(VersionText()); }

void AboutForm::CloseCommand_Click() { view_.Close(); }

void AboutForm::EmailLabel_Click() { OpenLink("mailto:" + view_.EmailCaption()); }

void AboutForm::WwwLabel_Click() { OpenLink(view_.WwwCaption()); }

void AboutForm::OpenLink(const std::string& target) { shell_.OpenLink(view_.Window(), target); }

}  // namespace tovalin
