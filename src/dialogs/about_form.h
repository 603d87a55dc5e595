// AboutForm: the About box. It names the product and its version, says what it does, shows the
// copyright line and offers the maker's e-mail address and web page as links. The logic is
// written against AboutFormView, which each toolkit (and the terminal) implements.
#pragma once

#include <string>
#include <string_view>

#include "host/platform_services.h"

namespace tovalin {

class AboutForm;

// Design-time texts of the About box; the version label is set when the form loads. The e-mail
// label holds a bare address and the web label a complete address: both double as link targets.
inline constexpr std::string_view kAboutCaption = "About";
inline constexpr std::string_view kAboutCloseCaption = "Close";

class AboutFormView {
 public:
  virtual ~AboutFormView() = default;
  virtual void SetVersionCaption(const std::string& caption) = 0;
  // The link labels' captions as they are now.
  virtual std::string EmailCaption() = 0;
  virtual std::string WwwCaption() = 0;
  virtual WindowHandle Window() = 0;
  // Ends the modal display.
  virtual void Close() = 0;
  // Shows the box modally until it is closed, passing the user's clicks to `form`.
  virtual void ShowModal(AboutForm& form) = 0;
};

class AboutForm {
 public:
  AboutForm(AboutFormView& view, Shell& shell) : view_(view), shell_(shell) {}

  // Loads the form (setting the version label) and shows it modally.
  void Show();

  void Form_Load();
  void CloseCommand_Click();
  // Opens a new mail to the address the e-mail label shows.
  void EmailLabel_Click();
  // Opens the address the web label shows.
  void WwwLabel_Click();

 private:
  void OpenLink(const std::string& target);

  AboutFormView& view_;
  Shell& shell_;
};

}  // namespace tovalin
