#include "host/memory/memory_model.h"

#include <stdexcept>

namespace tovalin {
namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::array<std::string_view, kExtenderCount> kExtenderNames = {
    "Name", "Left",           "Top",           "Width",   "Height", "TabIndex", "TabStop",
    "Tag",  "ControlTipText", "HelpContextID", "Visible", "Cancel", "Default"};

// Appends the controls below `top` in pre-order. The Pages of a MultiPage are walked but not
// listed. An explicit stack keeps deep trees off the call stack.
void AppendDescendants(const MemoryControlList& top, ControlList& out) {
  struct Level {
    const MemoryControlList* controls;
    size_t next;
    bool listed;
  };
  std::vector<Level> stack{{&top, 0, true}};
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.controls->size()) {
      stack.pop_back();
      continue;
    }
    const std::shared_ptr<MemoryControl>& control = (*level.controls)[level.next++];
    if (level.listed) out.push_back(control);
    if (!control->children().empty()) {
      // `level` is not used after this push, which may move it.
      stack.push_back({&control->children(), 0, control->TypeName() != "MultiPage"});
    }
  }
}

// Turns an Object or Parent replacement value into the object it stands for.
ObjectRef OverrideObject(const Slot& slot) {
  const Variant& value = slot.Read();
  if (value.IsNull()) return nullptr;
  if (value.type() == VarType::kObject) return value.object();
  throw HostError(kErrTypeMismatch);
}

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

const Variant& Slot::Read() const {
  if (failure_) throw *failure_;
  return value_;
}

void PropertyMap::Set(std::string_view name, Slot value) {
  for (auto& [key, slot] : entries_) {
    if (EqualsIgnoringAsciiCase(key, name)) {
      slot = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::string(name), std::move(value));
}

bool PropertyMap::Add(std::string_view name, Slot value) {
  if (Find(name) != nullptr) return false;
  entries_.emplace_back(std::string(name), std::move(value));
  return true;
}

const Slot* PropertyMap::Find(std::string_view name) const {
  for (const auto& [key, slot] : entries_) {
    if (EqualsIgnoringAsciiCase(key, name)) return &slot;
  }
  return nullptr;
}

// ---- Font

MemoryFont::MemoryFont() {
  Set(kName, Variant::String("Tahoma"));
  Set(kSize, Variant::FromCurrency(Currency{82500}));
  Set(kBold, Variant::Boolean(false));
  Set(kItalic, Variant::Boolean(false));
  Set(kUnderline, Variant::Boolean(false));
  Set(kStrikethrough, Variant::Boolean(false));
  Set(kWeight, Variant::Integer(400));
  Set(kCharset, Variant::Integer(0));
}

std::optional<int32_t> MemoryFont::DispIdOf(std::string_view name) {
  static constexpr std::pair<std::string_view, int32_t> kNames[] = {
      {"Name", kName},     {"Size", kSize},           {"Bold", kBold},
      {"Italic", kItalic}, {"Underline", kUnderline}, {"Strikethrough", kStrikethrough},
      {"Weight", kWeight}, {"Charset", kCharset}};
  for (const auto& [font_name, dispid] : kNames) {
    if (font_name == name) return dispid;
  }
  return std::nullopt;
}

Variant MemoryFont::Get(std::string_view name) {
  static constexpr std::string_view kNames[] = {"Name",      "Size",          "Bold",   "Italic",
                                                "Underline", "Strikethrough", "Weight", "Charset"};
  for (std::string_view font_name : kNames) {
    if (EqualsIgnoringAsciiCase(font_name, name)) return GetByDispId(*DispIdOf(font_name));
  }
  throw HostError(kErrNoSuchMember);
}

Variant MemoryFont::GetByDispId(int32_t dispid) {
  if (dispid < 0 || static_cast<size_t>(dispid) >= kSlots || !values_[dispid]) {
    throw HostError(kErrNoSuchMember);
  }
  return values_[dispid]->Read();
}

void MemoryFont::Set(int32_t dispid, Slot value) {
  if (dispid < 0 || static_cast<size_t>(dispid) >= kSlots || dispid == 1) {
    throw std::invalid_argument("not a font dispatch number");
  }
  values_[dispid] = std::move(value);
}

// ---- Form

MemoryUserForm::MemoryUserForm() : font_(std::make_shared<MemoryFont>()) {}

ControlList MemoryUserForm::Controls() {
  ControlList controls;
  AppendDescendants(children_, controls);
  return controls;
}

void MemoryUserForm::AddControl(std::shared_ptr<MemoryControl> control) {
  if (control == nullptr || control->has_container_) {
    throw std::invalid_argument("the control is missing or already placed");
  }
  control->SetContainer(weak_from_this());
  children_.push_back(std::move(control));
}

// ---- Controls

Variant MemoryControlObject::Get(std::string_view name) {
  if (const Slot* slot = properties_.Find(name)) return slot->Read();
  throw HostError(kErrNoSuchMember);
}

std::optional<Extender> FindExtender(std::string_view name) {
  for (size_t i = 0; i < kExtenderCount; ++i) {
    if (kExtenderNames[i] == name) return static_cast<Extender>(i);
  }
  return std::nullopt;
}

std::optional<Extender> FindExtenderIgnoringCase(std::string_view name) {
  for (size_t i = 0; i < kExtenderCount; ++i) {
    if (EqualsIgnoringAsciiCase(kExtenderNames[i], name)) return static_cast<Extender>(i);
  }
  return std::nullopt;
}

MemoryControl::MemoryControl(std::string type_name)
    : type_name_(std::move(type_name)),
      own_object_(std::make_shared<MemoryControlObject>(type_name_)) {}

const Variant& MemoryControl::Read(Extender extender) const {
  for (const auto& [set, slot] : extenders_) {
    if (set == extender) return slot.Read();
  }
  static const std::array<Variant, kExtenderCount> kDefaults = {
      Variant::String(""),    Variant::Single(0.0f),  Variant::Single(0.0f),
      Variant::Single(0.0f),  Variant::Single(0.0f),  Variant::Integer(0),
      Variant::Boolean(true), Variant::String(""),    Variant::String(""),
      Variant::Long(0),       Variant::Boolean(true), Variant::Boolean(false),
      Variant::Boolean(false)};
  return kDefaults[static_cast<size_t>(extender)];
}

void MemoryControl::SetExtender(Extender extender, Slot value) {
  for (auto& [set, slot] : extenders_) {
    if (set == extender) {
      slot = std::move(value);
      return;
    }
  }
  extenders_.emplace_back(extender, std::move(value));
}

Variant MemoryControl::Get(std::string_view name) {
  if (const Slot* slot = own_object_->properties().Find(name)) return slot->Read();
  if (EqualsIgnoringAsciiCase(name, "Object")) return Variant::Object(Object());
  if (EqualsIgnoringAsciiCase(name, "Parent")) return Variant::Object(Parent());
  if (auto extender = FindExtenderIgnoringCase(name)) {
    switch (*extender) {
      case Extender::kName:
        return Variant::String(Name());
      case Extender::kLeft:
        return Variant::Single(Left());
      case Extender::kTop:
        return Variant::Single(Top());
      case Extender::kWidth:
        return Variant::Single(Width());
      case Extender::kHeight:
        return Variant::Single(Height());
      case Extender::kTabIndex:
        return Variant::Integer(TabIndex());
      case Extender::kTabStop:
        return Variant::Boolean(TabStop());
      case Extender::kTag:
        return Variant::String(Tag());
      case Extender::kControlTipText:
        return Variant::String(ControlTipText());
      case Extender::kHelpContextID:
        return Variant::Long(HelpContextID());
      case Extender::kVisible:
        return Variant::Boolean(Visible());
      case Extender::kCancel:
        return Variant::Boolean(Cancel());
      case Extender::kDefault:
        return Variant::Boolean(Default());
    }
  }
  throw HostError(kErrNoSuchMember);
}

ObjectRef MemoryControl::Parent() {
  if (parent_override_) return OverrideObject(*parent_override_);
  return container_.lock();
}

ObjectRef MemoryControl::Object() {
  if (object_override_) return OverrideObject(*object_override_);
  return own_object_;
}

bool MemoryControl::IsContainer() const {
  if (type_name_ == "Frame" || type_name_ == "Page") return true;
  return holds_controls_ && type_name_ != "MultiPage";
}

ControlList MemoryControl::Controls() {
  if (!IsContainer()) throw HostError(kErrNoSuchMember);
  ControlList controls;
  AppendDescendants(children_, controls);
  return controls;
}

int32_t MemoryControl::Orientation() { return CLng(Get("Orientation")); }

void MemoryControl::SetContainer(std::weak_ptr<HostObject> container) {
  container_ = std::move(container);
  has_container_ = true;
}

void MemoryControl::AddChild(std::shared_ptr<MemoryControl> child) {
  if (child == nullptr || child->has_container_) {
    throw std::invalid_argument("the control is missing or already placed");
  }
  // Walk up from here: the child must not be this control or contain it.
  for (std::shared_ptr<MemoryControl> at = shared_from_this(); at != nullptr;
       at = std::dynamic_pointer_cast<MemoryControl>(at->container_.lock())) {
    if (at == child) throw std::invalid_argument("a control cannot contain itself");
  }
  holds_controls_ = true;
  child->SetContainer(weak_from_this());
  children_.push_back(std::move(child));
}

// ---- Code

MemoryCodeModule::MemoryCodeModule(std::string_view text) {
  if (text.empty()) return;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines_.push_back(std::move(line));
      line.clear();
    } else {
      line += c;
    }
  }
  lines_.push_back(std::move(line));
}

int32_t MemoryCodeModule::CountOfLines() { return static_cast<int32_t>(lines_.size()); }

std::string MemoryCodeModule::Lines(int32_t start, int32_t count) {
  if (start < 1 || count < 0) throw HostError(kErrSubscriptOutOfRange);
  if (count == 0) return "";
  const int64_t last = int64_t{start} + count - 1;
  if (last > static_cast<int64_t>(lines_.size())) throw HostError(kErrSubscriptOutOfRange);
  std::string text;
  for (int64_t i = start; i <= last; ++i) {
    if (i > start) text += "\r\n";
    text += lines_[static_cast<size_t>(i - 1)];
  }
  return text;
}

// ---- Components, projects, registry

MemoryComponent::MemoryComponent(std::string name, int32_t type)
    : name_(std::move(name)), type_(type), code_module_(std::make_shared<MemoryCodeModule>()) {
  if (type_ == kUserFormComponent) designer_ = std::make_shared<MemoryUserForm>();
}

Variant MemoryComponent::PropertyValue(std::string_view name) {
  if (const Slot* slot = properties_.Find(name)) return slot->Read();
  throw HostError(kErrInvalidCall);
}

std::vector<std::shared_ptr<VbComponent>> MemoryProject::VBComponents() {
  return {components_.begin(), components_.end()};
}

std::vector<std::shared_ptr<Reference>> MemoryProject::References() { return references_; }

void MemoryProject::AddComponent(std::shared_ptr<MemoryComponent> component) {
  components_.push_back(std::move(component));
}

void MemoryProject::AddReference(std::shared_ptr<Reference> reference) {
  references_.push_back(std::move(reference));
}

std::shared_ptr<MemoryComponent> MemoryProject::FindComponent(std::string_view name) const {
  for (const auto& component : components_) {
    if (component->Name() == name) return component;
  }
  return nullptr;
}

bool MemoryClassRegistry::KeyExists(const std::string& name) {
  for (const std::string& key : keys_) {
    if (EqualsIgnoringAsciiCase(key, name)) return true;
  }
  return false;
}

}  // namespace tovalin

namespace tovalin {

std::shared_ptr<MemoryCommandBars> MemoryVbe::command_bars() {
  if (command_bars_ == nullptr) {
    command_bars_ = std::make_shared<MemoryCommandBars>();
    command_bars_->AddBar("Add-Ins")->AddControl(kMsoControlButton, false, "&Add-In Manager...");
  }
  return command_bars_;
}

std::shared_ptr<CommandBars> MemoryVbe::GetCommandBars() { return command_bars(); }

}  // namespace tovalin
