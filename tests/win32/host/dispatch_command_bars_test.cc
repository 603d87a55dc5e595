#include "host/win32/dispatch_command_bars.h"

#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include "fake_dispatch.h"
#include "host/host_error.h"
#include "host/win32/command_bar_event_sink.h"
#include "host/win32/dispatch_editor.h"
#include "host/win32/editor_interfaces.h"

namespace tovalin::win32::testing {
namespace {

class RecordingSink : public CommandBarClickSink {
 public:
  void Click(const ObjectRef& control, bool& handled, bool& cancel_default) override {
    ++clicks;
    last_control = control;
    handled = !handled;
    cancel_default = true;
  }
  int clicks = 0;
  ObjectRef last_control;
};

TEST(DispatchCommandBarsTest, AddsAndCaptionsAButton) {
  auto button = FakeDispatch::New("CommandBarButton");
  button->On("Caption", [](const DISPPARAMS&, VARIANT*, EXCEPINFO*) { return S_OK; });
  button->On("Delete", [](const DISPPARAMS&, VARIANT*, EXCEPINFO*) { return S_OK; });
  auto controls = FakeDispatch::New();
  controls->Returns("Add", ObjectVariant(button.get()).get());
  auto bar = FakeDispatch::New();
  bar->Returns("Controls", ObjectVariant(controls.get()).get());
  auto bars = FakeDispatch::New();
  bars->On("Item", [&](const DISPPARAMS& params, VARIANT* result, EXCEPINFO*) {
    if (params.cArgs != 1 || params.rgvarg[0].vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
    if (BstrToUtf8(params.rgvarg[0].bstrVal) != "Add-Ins") return E_INVALIDARG;
    result->vt = VT_DISPATCH;
    result->pdispVal = bar.get();
    bar->AddRef();
    return S_OK;
  });
  auto vbe = FakeDispatch::New();
  vbe->Returns("CommandBars", ObjectVariant(bars.get()).get());

  const auto editor = WrapEditor(vbe.get());
  EXPECT_EQ(ThrownBy([&] { editor->GetCommandBars()->Item(Variant::String("Menu Bar")); }).number(),
            5);
  const auto control = editor->GetCommandBars()
                           ->Item(Variant::String("Add-Ins"))
                           ->Controls()
                           ->Add(kMsoControlButton, true);
  control->SetCaption("Export Forms to Visual Basic...");
  control->Delete();
  EXPECT_EQ(DispatchOf(control), static_cast<IDispatch*>(button.get()));
  EXPECT_EQ(WrapCommandBarControl(editor, button.get()), control);
  ASSERT_EQ(button->calls().size(), 2u);
  EXPECT_EQ(BstrToUtf8(button->calls()[0].args[0].get().bstrVal),
            "Export Forms to Visual Basic...");
  EXPECT_TRUE(button->calls()[1].args.empty());
}

TEST(DispatchCommandBarsTest, DeliversClicksUntilDisconnected) {
  auto* source = new FakeEventSource();
  auto source_owner = ComPtr<FakeEventSource>::Attach(source);
  auto button = FakeDispatch::New("CommandBarButton");
  auto events = FakeDispatch::New();
  events->On("CommandBarEvents", [&](const DISPPARAMS& params, VARIANT* result, EXCEPINFO*) {
    if (params.cArgs != 1 || params.rgvarg[0].vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    if (params.rgvarg[0].pdispVal != button.get()) return E_INVALIDARG;
    result->vt = VT_DISPATCH;
    result->pdispVal = static_cast<IDispatch*>(source);
    source->AddRef();
    return S_OK;
  });
  auto vbe = FakeDispatch::New();
  vbe->Returns("Events", ObjectVariant(events.get()).get());

  const auto editor = WrapEditor(vbe.get());
  const auto control = WrapCommandBarControl(editor, button.get());
  const LONG sinks_before = LiveCommandBarEventSinks();
  {
    std::shared_ptr<CommandBarEvents> handler = editor->GetEvents()->GetCommandBarEvents(control);
    RecordingSink sink;
    EXPECT_EQ(ThrownBy([&] { handler->Connect(nullptr); }).number(), 5);
    handler->Connect(&sink);
    EXPECT_EQ(source->advised(), 1u);

    VARIANT_BOOL handled = VARIANT_FALSE;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    source->Click(button.get(), handled, cancel);
    EXPECT_EQ(sink.clicks, 1);
    EXPECT_EQ(handled, VARIANT_TRUE);  // the ByRef arguments come back as the handler set them
    EXPECT_EQ(cancel, VARIANT_TRUE);
    EXPECT_EQ(sink.last_control, std::static_pointer_cast<HostObject>(control));

    handler->Disconnect(&sink);
    EXPECT_EQ(source->advised(), 0u);
    source->Click(button.get(), handled, cancel);
    EXPECT_EQ(sink.clicks, 1);

    // A handler that goes while connected takes its connection with it.
    handler->Connect(&sink);
    EXPECT_EQ(source->advised(), 1u);
  }
  EXPECT_EQ(source->advised(), 0u);
  EXPECT_EQ(LiveCommandBarEventSinks(), sinks_before);
}

TEST(DispatchCommandBarsTest, SourceWithoutEventsFailsToConnect) {
  auto not_a_source = FakeDispatch::New();
  const auto handler = WrapCommandBarEvents(std::shared_ptr<Vbe>(), not_a_source.get());
  RecordingSink sink;
  EXPECT_EQ(ThrownBy([&] { handler->Connect(&sink); }).number(), 459);
}

TEST(CommandBarEventSinkTest, AnswersOnlyTheClickEvent) {
  RecordingSink recorder;
  auto sink = ComPtr<CommandBarEventSink>::Attach(
      new CommandBarEventSink(&recorder, EditorObjects::Create()));
  EXPECT_TRUE(sink.Query<IDispatch>(kDiidCommandBarEvents));
  EXPECT_FALSE(sink.Query<IDispatch>(IID_IConnectionPoint));

  DISPPARAMS none{nullptr, nullptr, 0, 0};
  EXPECT_EQ(sink->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(sink->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  // Booleans that are not ByRef Booleans cannot carry the result back.
  VARIANT args[3];
  for (VARIANT& arg : args) VariantInit(&arg);
  args[0].vt = VT_I4;
  args[1].vt = VT_BOOL;
  DISPPARAMS wrong{args, nullptr, 3, 0};
  EXPECT_EQ(sink->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &wrong, nullptr, nullptr, nullptr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(recorder.clicks, 0);
}

}  // namespace
}  // namespace tovalin::win32::testing
