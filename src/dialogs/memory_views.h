// Views that keep the controls' state in memory: the export dialog and the About box without a
// window. The command line drives the dialog through them, and tests script them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/about_form.h"
#include "dialogs/choose_form_view.h"

namespace tovalin {

class MemoryChooseFormView : public ChooseFormView {
 public:
  using AboutViewFactory = std::function<std::unique_ptr<AboutFormView>()>;
  // `about_views` makes the About box's view; by default a MemoryAboutFormView that closes at
  // once.
  explicit MemoryChooseFormView(AboutViewFactory about_views = {});

  void SetCaption(const std::string& caption) override { caption_ = caption; }
  WindowHandle Window() override { return 0; }
  void Close() override { closed_ = true; }
  void AddItem(const std::string& text) override { items_.push_back({text, false}); }
  int ListCount() override { return static_cast<int>(items_.size()); }
  std::string ItemText(int index) override;
  bool Selected(int index) override;
  void SetSelected(int index, bool selected) override;
  int SelectedCount() override;
  std::string FolderText() override { return folder_; }
  void SetFolderText(const std::string& text) override { folder_ = text; }
  int OverwriteState() override { return overwrite_state_; }
  void SetOverwriteState(int state) override;
  void SetOkEnabled(bool enabled) override { ok_enabled_ = enabled; }
  std::unique_ptr<AboutFormView> CreateAboutView() override;

  const std::string& caption() const { return caption_; }
  bool closed() const { return closed_; }
  bool ok_enabled() const { return ok_enabled_; }

 private:
  struct Item {
    std::string text;
    bool selected;
  };
  Item& At(int index);

  AboutViewFactory about_views_;
  std::string caption_;
  std::vector<Item> items_;
  std::string folder_;
  int overwrite_state_ = kUnchecked;
  bool ok_enabled_ = true;
  bool closed_ = false;
};

// The About box's labels in memory, with their design-time captions.
class MemoryAboutFormView : public AboutFormView {
 public:
  // Called by ShowModal with the form, to click on it; by default nothing is clicked and the
  // box closes.
  using Script = std::function<void(AboutForm&, MemoryAboutFormView&)>;
  explicit MemoryAboutFormView(Script script = {});

  void SetVersionCaption(const std::string& caption) override { version_ = caption; }
  std::string EmailCaption() override { return email_; }
  std::string WwwCaption() override { return www_; }
  WindowHandle Window() override { return 0; }
  void Close() override { closed_ = true; }
  void ShowModal(AboutForm& form) override;

  const std::string& version() const { return version_; }
  const std::string& description() const { return description_; }
  const std::string& copyright() const { return copyright_; }
  void set_email(std::string caption) { email_ = std::move(caption); }
  void set_www(std::string caption) { www_ = std::move(caption); }
  bool closed() const { return closed_; }

 private:
  Script script_;
  std::string version_;
  std::string description_;
  std::string copyright_;
  std::string email_;
  std::string www_;
  bool closed_ = false;
};

}  // namespace tovalin
