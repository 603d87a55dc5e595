// VBE.Events and the click events of command-bar controls. Events.CommandBarEvents(control)
// gives an event source over the control; a sink advised on its connection point (found with
// IConnectionPointContainer::FindConnectionPoint for the command-bar events dispinterface) is
// connected to the object model's event source and receives each Click as an Invoke of
// DISPID 1 with (control, ByRef handled, ByRef CancelDefault).
#pragma once

#include <ocidl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dispatch_object.h"
#include "host/command_bars.h"

namespace tovalin::fake {

class ClickSinkAdapter;

class EventsView : public DispatchObject {
 public:
  using Model = VbeEvents;
  EventsView(std::shared_ptr<ViewRegistry> views, std::shared_ptr<VbeEvents> events)
      : DispatchObject(std::move(views)), events_(std::move(events)) {}

 protected:
  std::span<const Member> Members() const override;
  std::string TypeNameOfObject() const override { return "Events"; }
  void InvokeMember(DISPID id, Call& call) override;

 private:
  std::shared_ptr<VbeEvents> events_;
};

class CommandBarEventsView : public DispatchObject, public IConnectionPointContainer {
 public:
  using Model = CommandBarEvents;
  CommandBarEventsView(std::shared_ptr<ViewRegistry> views,
                       std::shared_ptr<CommandBarEvents> source);
  // Disconnects every sink still advised and releases it.
  ~CommandBarEventsView() override;

  // One identity and one count for both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return DispatchObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return DispatchObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return DispatchObject::Release(); }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

  // The connection point's work: connect a sink, giving its cookie, and disconnect it.
  HRESULT Advise(IUnknown* sink, DWORD* cookie);
  HRESULT Unadvise(DWORD cookie);

 protected:
  std::span<const Member> Members() const override { return {}; }
  std::string TypeNameOfObject() const override { return "CommandBarEvents"; }
  void InvokeMember(DISPID, Call&) override {}
  void* FindInterface(REFIID iid) override;

 private:
  std::shared_ptr<CommandBarEvents> source_;
  std::map<DWORD, std::shared_ptr<ClickSinkAdapter>> sinks_;
  // Unadvised adapters stay until the source goes: a click in progress may still hold their
  // address in its list of sinks. They no longer hold the client's sink.
  std::vector<std::shared_ptr<ClickSinkAdapter>> retired_;
  DWORD next_cookie_ = 1;
};

}  // namespace tovalin::fake
