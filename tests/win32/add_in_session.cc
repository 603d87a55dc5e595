#include "add_in_session.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <stdexcept>

#include "add_in_identity.h"
#include "fake_editor/fake_editor.h"
#include "harness_support.h"
#include "host/memory/project_loader.h"

namespace tovalin::win32::testing {
namespace {

// ext_ConnectMode ext_cm_AfterStartup: the user loaded the add-in in the Add-In Manager.
constexpr LONG kConnectAfterStartup = 0;
// ext_DisconnectMode ext_dm_UserClosed.
constexpr LONG kDisconnectUserClosed = 1;

std::shared_ptr<MemoryVbe> EditorOf(LoadedDescription loaded) {
  auto vbe = std::dynamic_pointer_cast<MemoryVbe>(loaded.vbe);
  if (vbe == nullptr) throw std::runtime_error("the description gave no in-memory editor");
  return vbe;
}

// The custom() array the editor passes: an empty array of Variants.
class EmptyCustomArray {
 public:
  EmptyCustomArray() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  ~EmptyCustomArray() {
    if (array_ != nullptr) SafeArrayDestroy(array_);
  }
  EmptyCustomArray(const EmptyCustomArray&) = delete;
  EmptyCustomArray& operator=(const EmptyCustomArray&) = delete;
  SAFEARRAY** get() { return &array_; }

 private:
  SAFEARRAY* array_;
};

}  // namespace

AddInSession::AddInSession(std::shared_ptr<MemoryVbe> vbe)
    : vbe_(std::move(vbe)), editor_(ComPtr<IDispatch>::Attach(fake::NewFakeEditor(vbe_))) {}

std::unique_ptr<AddInSession> AddInSession::FromFile(const std::filesystem::path& description) {
  return std::unique_ptr<AddInSession>(
      new AddInSession(EditorOf(LoadProjectDescriptionFile(Narrow(description.wstring())))));
}

std::unique_ptr<AddInSession> AddInSession::FromJson(std::string_view description) {
  return std::unique_ptr<AddInSession>(
      new AddInSession(EditorOf(LoadProjectDescription(description, "test description"))));
}

AddInSession::~AddInSession() {
  Release();
  editor_.reset();
  CoFreeUnusedLibraries();
}

HRESULT AddInSession::Create() {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(kProgId, &clsid);
  if (FAILED(hr)) return hr;
  ComPtr<IUnknown> object;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                        reinterpret_cast<void**>(object.put()));
  if (FAILED(hr)) return hr;
  add_in_ = object.Query<IExtensibility2>(kIidExtensibility2);
  return add_in_ ? S_OK : E_NOINTERFACE;
}

HRESULT AddInSession::Connect() {
  if (!add_in_) return E_POINTER;
  EmptyCustomArray custom;
  return add_in_->OnConnection(editor_.get(), kConnectAfterStartup, nullptr, custom.get());
}

HRESULT AddInSession::Disconnect() {
  if (!add_in_) return E_POINTER;
  EmptyCustomArray custom;
  return add_in_->OnDisconnection(kDisconnectUserClosed, custom.get());
}

void AddInSession::Release() { add_in_.reset(); }

std::vector<std::shared_ptr<MemoryCommandBarControl>> AddInSession::ControlsCaptioned(
    const std::wstring& caption) {
  std::vector<std::shared_ptr<MemoryCommandBarControl>> found;
  for (const auto& bar : vbe_->command_bars()->bars()) {
    for (const auto& control : bar->controls()) {
      if (Widen(control->caption()) == caption) found.push_back(control);
    }
  }
  return found;
}

std::shared_ptr<MemoryCommandBarControl> AddInSession::MenuButton() {
  const auto bar = vbe_->command_bars()->Find("Add-Ins");
  if (bar == nullptr || bar->controls().empty()) return nullptr;
  const auto& last = bar->controls().back();
  return Widen(last->caption()) == kMenuCaption ? last : nullptr;
}

void AddInSession::ChooseCommand(bool& handled, bool& cancel_default) {
  const auto button = MenuButton();
  ASSERT_NE(button, nullptr) << "the add-in's command is not on the Add-Ins bar";
  button->Click(handled, cancel_default);
}

void AddInSession::ChooseCommand() {
  bool handled = false;
  bool cancel_default = false;
  ChooseCommand(handled, cancel_default);
}

}  // namespace tovalin::win32::testing
