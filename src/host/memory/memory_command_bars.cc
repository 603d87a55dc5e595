#include "host/memory/memory_command_bars.h"

#include <algorithm>

#include "host/host_error.h"

namespace tovalin {
namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

class MemoryCommandBarControls : public CommandBarControls {
 public:
  explicit MemoryCommandBarControls(MemoryCommandBar& bar) : bar_(bar) {}
  std::shared_ptr<CommandBarControl> Add(int32_t type, bool temporary) override {
    return bar_.AddControl(type, temporary);
  }

 private:
  MemoryCommandBar& bar_;
};

}  // namespace

void MemoryCommandBarControl::SetCaption(const std::string& caption) { caption_ = caption; }

void MemoryCommandBarControl::Delete() {
  if (bar_ == nullptr) throw HostError(kErrInvalidCall);
  auto& controls = bar_->controls_;
  controls.erase(std::remove_if(controls.begin(), controls.end(),
                                [this](const auto& control) { return control.get() == this; }),
                 controls.end());
  bar_ = nullptr;
}

void MemoryCommandBarControl::Click(bool& handled, bool& cancel_default) {
  const ObjectRef self = shared_from_this();
  // A sink may disconnect (or connect) while it runs: go over a snapshot of the live sources.
  std::vector<std::shared_ptr<MemoryCommandBarEvents>> sources;
  for (const auto& weak : events_) {
    if (auto source = weak.lock()) sources.push_back(std::move(source));
  }
  for (const auto& source : sources) {
    const std::vector<CommandBarClickSink*> sinks = source->sinks();
    for (CommandBarClickSink* sink : sinks) {
      // A sink that an earlier one disconnected during this click is not called.
      const auto& now = source->sinks();
      if (std::find(now.begin(), now.end(), sink) == now.end()) continue;
      sink->Click(self, handled, cancel_default);
    }
  }
}

int MemoryCommandBarControl::ConnectedSinks() const {
  int count = 0;
  for (const auto& weak : events_) {
    if (auto source = weak.lock()) count += static_cast<int>(source->sinks().size());
  }
  return count;
}

MemoryCommandBar::~MemoryCommandBar() {
  for (const auto& control : controls_) control->bar_ = nullptr;
}

std::shared_ptr<CommandBarControls> MemoryCommandBar::Controls() {
  return std::make_shared<MemoryCommandBarControls>(*this);
}

std::shared_ptr<MemoryCommandBarControl> MemoryCommandBar::AddControl(int32_t type, bool temporary,
                                                                      std::string caption) {
  auto control =
      std::make_shared<MemoryCommandBarControl>(this, type, temporary, std::move(caption));
  controls_.push_back(control);
  return control;
}

std::shared_ptr<CommandBar> MemoryCommandBars::Item(const Variant& index) {
  if (index.type() != VarType::kString) throw HostError(kErrInvalidCall);
  std::shared_ptr<MemoryCommandBar> bar = Find(index.string());
  if (bar == nullptr) throw HostError(kErrInvalidCall);
  return bar;
}

std::shared_ptr<MemoryCommandBar> MemoryCommandBars::AddBar(std::string name) {
  bars_.push_back(std::make_shared<MemoryCommandBar>(std::move(name)));
  return bars_.back();
}

std::shared_ptr<MemoryCommandBar> MemoryCommandBars::Find(const std::string& name) const {
  for (const auto& bar : bars_) {
    if (SameNameIgnoringCase(bar->name(), name)) return bar;
  }
  return nullptr;
}

void MemoryCommandBarEvents::Connect(CommandBarClickSink* sink) {
  if (sink == nullptr) throw HostError(kErrInvalidCall);
  sinks_.push_back(sink);
}

void MemoryCommandBarEvents::Disconnect(CommandBarClickSink* sink) noexcept {
  sinks_.erase(std::remove(sinks_.begin(), sinks_.end(), sink), sinks_.end());
}

std::shared_ptr<CommandBarEvents> MemoryVbeEvents::GetCommandBarEvents(
    const std::shared_ptr<CommandBarControl>& control) {
  auto memory_control = std::dynamic_pointer_cast<MemoryCommandBarControl>(control);
  if (memory_control == nullptr) throw HostError(kErrInvalidCall);
  auto source = std::make_shared<MemoryCommandBarEvents>();
  memory_control->events_.push_back(source);
  return source;
}

}  // namespace tovalin
