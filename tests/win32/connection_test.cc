// The add-in created through COM as the editor creates it, connected to the fake editor and
// disconnected again: its command on the "Add-Ins" bar and its three public members.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

#include "add_in_identity.h"
#include "fake_editor/fake_editor.h"
#include "harness_support.h"
#include "host/win32/bstr.h"
#include "session_fixture.h"
#include "window_driver.h"

namespace tovalin::win32::testing {
namespace {

// A property of the add-in read through its dual interface's IDispatch, as a late-bound caller
// reads it; VT_ERROR with the failure when it cannot be read.
VARIANT GetProperty(IExtensibility2* add_in, const wchar_t* name) {
  VARIANT result;
  VariantInit(&result);
  result.vt = VT_ERROR;
  result.scode = E_FAIL;
  ComPtr<IDispatch> dispatch = ComPtr<IExtensibility2>(add_in).Query<IDispatch>(kAddInIid);
  if (!dispatch) {
    result.scode = E_NOINTERFACE;
    return result;
  }
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(hr)) {
    DISPPARAMS none{};
    hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                          nullptr, nullptr);
  }
  if (FAILED(hr)) {
    VariantClear(&result);
    result.vt = VT_ERROR;
    result.scode = hr;
  }
  return result;
}

// True when the property holds an object, false when it holds Nothing.
bool HoldsObject(IExtensibility2* add_in, const wchar_t* name) {
  VARIANT value = GetProperty(add_in, name);
  EXPECT_TRUE(value.vt == VT_DISPATCH || value.vt == VT_EMPTY)
      << Narrow(name) << ": type " << value.vt << ", failure " << std::hex << value.scode;
  const bool object = value.vt == VT_DISPATCH && value.pdispVal != nullptr;
  VariantClear(&value);
  return object;
}

using ConnectionTest = SessionTest;

TEST_F(ConnectionTest, PutsOneTemporaryCommandAtTheEndOfTheAddInsBarUntilDisconnected) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);

  const auto bar = session->vbe().command_bars()->Find("Add-Ins");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->controls().size(), 2u);
  EXPECT_EQ(bar->controls().front()->caption(), "&Add-In Manager...");
  const auto button = session->MenuButton();
  ASSERT_NE(button, nullptr) << "last control: " << bar->controls().back()->caption();
  EXPECT_EQ(button->type(), 1);
  EXPECT_TRUE(button->temporary());
  EXPECT_EQ(button->ConnectedSinks(), 1);

  // The three members: the editor, the button and its event source.
  EXPECT_TRUE(HoldsObject(session->add_in(), L"IDE"));
  EXPECT_TRUE(HoldsObject(session->add_in(), L"MenuItem"));
  EXPECT_TRUE(HoldsObject(session->add_in(), L"MenuItemHandler"));

  EXPECT_EQ(session->Disconnect(), S_OK);
  EXPECT_TRUE(button->deleted());
  EXPECT_EQ(bar->controls().size(), 1u);
  EXPECT_TRUE(session->ControlsCaptioned(kMenuCaption).empty());
  // The members are kept until the add-in object is released.
  EXPECT_TRUE(HoldsObject(session->add_in(), L"IDE"));
}

TEST_F(ConnectionTest, HoldsNoMembersBeforeItIsConnected) {
  std::unique_ptr<AddInSession> session = AddInSession::FromFile(GoldenFolder() / "bare.json");
  ASSERT_EQ(session->Create(), S_OK);
  EXPECT_FALSE(HoldsObject(session->add_in(), L"IDE"));
  EXPECT_FALSE(HoldsObject(session->add_in(), L"MenuItem"));
  EXPECT_FALSE(HoldsObject(session->add_in(), L"MenuItemHandler"));
}

TEST_F(ConnectionTest, ConnectingAgainAfterADisconnectionLeavesExactlyOneCommand) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  ASSERT_EQ(session->Disconnect(), S_OK);
  ASSERT_EQ(session->Connect(), S_OK);
  EXPECT_EQ(session->ControlsCaptioned(kMenuCaption).size(), 1u);
  ASSERT_NE(session->MenuButton(), nullptr);
  EXPECT_EQ(session->MenuButton()->ConnectedSinks(), 1);
  EXPECT_EQ(session->Disconnect(), S_OK);
  EXPECT_TRUE(session->ControlsCaptioned(kMenuCaption).empty());
}

TEST_F(ConnectionTest, AnEditorWithoutAnAddInsBarGetsNoCommand) {
  // No bars at all, and a bar of another name.
  for (const char* bars : {R"([])", R"([{"name": "Standard", "controls": ["&Save"]}])"}) {
    SCOPED_TRACE(bars);
    const std::string description =
        R"({"activeProject": {"name": "P", "components": []}, "commandBars": )" +
        std::string(bars) + "}";
    auto session = ConnectJson(description);
    ASSERT_NE(session, nullptr);
    for (const auto& bar : session->vbe().command_bars()->bars()) {
      EXPECT_EQ(bar->controls().size(), 1u) << bar->name();
    }
    EXPECT_TRUE(session->ControlsCaptioned(kMenuCaption).empty());
    EXPECT_EQ(session->Disconnect(), S_OK);
  }
}

TEST_F(ConnectionTest, EachChoiceOfTheCommandOpensADialogAndLeavesTheEventArgumentsAlone) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  for (const bool handled_before : {false, true}) {
    bool handled = handled_before;
    bool cancel_default = !handled_before;
    const std::string failure =
        RunWithScript([&] { session->ChooseCommand(handled, cancel_default); },
                      [] {
                        HWND dialog = WaitForExportDialog();
                        ClickButton(dialog, IDCANCEL);
                        WaitUntilClosed(dialog, "the export dialog");
                      });
    EXPECT_EQ(failure, "");
    EXPECT_EQ(handled, handled_before);
    EXPECT_EQ(cancel_default, !handled_before);
    EXPECT_EQ(fake::LastClickResult(), S_OK);
  }
  EXPECT_EQ(session->Disconnect(), S_OK);
}

TEST_F(ConnectionTest, ReleasesEveryEditorObjectWhenReleased) {
  auto session = Connect(GoldenFolder() / "bare.json");
  ASSERT_NE(session, nullptr);
  const std::string failure = RunWithScript([&] { session->ChooseCommand(); },
                                            [] {
                                              HWND dialog = WaitForExportDialog();
                                              ClickButton(dialog, IDCANCEL);
                                              WaitUntilClosed(dialog, "the export dialog");
                                            });
  EXPECT_EQ(failure, "");
  EXPECT_EQ(session->Disconnect(), S_OK);
  session.reset();
  EXPECT_EQ(fake::LiveObjectCount(), 0);
}

}  // namespace
}  // namespace tovalin::win32::testing
