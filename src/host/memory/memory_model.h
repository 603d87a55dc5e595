// An in-memory object model: the editor root, projects, components, code modules, references,
// forms, controls and fonts held as plain data. The project description loader builds it; tests
// may build it directly.
//
// Every value a caller can read sits in a Slot, which holds either a Variant or a failure; reading
// a failed slot throws its HostError, so any read of the model can be made to fail. Values are kept
// as given and converted at read time, with the runtime's conversions, to the type the interface
// returns: a Left of "abc" fails with 13 when read, as it would in the editor.
//
// Ownership runs down the tree: the editor root owns its project, a project its components, a
// component its form and code module, a form or container its controls. Parents are weak
// references, so the tree has no cycles; keep the root (or the form) alive while reading it.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/host_error.h"
#include "host/memory/memory_command_bars.h"
#include "host/object_model.h"
#include "host/services.h"
#include "host/variant.h"

namespace tovalin {

// A value, or a failure that reading it raises.
class Slot {
 public:
  Slot() = default;                                  // Empty
  Slot(Variant value) : value_(std::move(value)) {}  // NOLINT: implicit by design
  Slot(HostError failure)                            // NOLINT: implicit by design
      : failure_(std::make_shared<const HostError>(std::move(failure))) {}

  bool failed() const { return failure_ != nullptr; }
  // The value; throws the failure.
  const Variant& Read() const;

 private:
  Variant value_;
  // Shared and held by pointer: most slots hold values, and a control has many slots.
  std::shared_ptr<const HostError> failure_;
};

// An object, Nothing (null), or a failure that reading it raises.
template <typename T>
class ObjectSlot {
 public:
  ObjectSlot() = default;  // Nothing
  template <typename U>
  requires std::convertible_to<std::shared_ptr<U>, std::shared_ptr<T>> ObjectSlot(
      std::shared_ptr<U> object)
      : object_(std::move(object)) {}                              // NOLINT: implicit
  ObjectSlot(HostError failure) : failure_(std::move(failure)) {}  // NOLINT: implicit

  bool failed() const { return failure_.has_value(); }
  const std::shared_ptr<T>& Read() const {
    if (failure_) throw *failure_;
    return object_;
  }

 private:
  std::shared_ptr<T> object_;
  std::optional<HostError> failure_;
};

// Values by name, looked up without regard to ASCII letter case, kept in insertion order.
class PropertyMap {
 public:
  // Adds or replaces the value of `name`; a replaced entry keeps its first spelling.
  void Set(std::string_view name, Slot value);
  // Adds `name`; false (and nothing changes) when a name equal to it ignoring case exists.
  bool Add(std::string_view name, Slot value);
  // The slot of `name`, or null when there is none.
  const Slot* Find(std::string_view name) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<std::pair<std::string, Slot>> entries_;
};

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// A font whose values are read by dispatch number and returned exactly as stored. A new font holds
// the defaults: Name "Tahoma", Size Currency 8.25, Bold, Italic, Underline and Strikethrough
// False, Weight Integer 400, Charset Integer 0.
class MemoryFont : public Font {
 public:
  MemoryFont();

  std::string TypeName() const override { return "Font"; }
  // The same values by their names ("Name", "Size", ...); other names fail with 438.
  Variant Get(std::string_view name) override;
  // Fails with 438 for a number that is not one of the Font::k... numbers.
  Variant GetByDispId(int32_t dispid) override;

  // The dispatch number of a font value name (exact spelling, as in a description), or nullopt.
  static std::optional<int32_t> DispIdOf(std::string_view name);
  // `dispid` must be one of the Font::k... numbers.
  void Set(int32_t dispid, Slot value);

 private:
  static constexpr size_t kSlots = 9;  // dispatch numbers 0 to 8; 1 is not a font value
  std::array<std::optional<Slot>, kSlots> values_;
};

class MemoryControl;
using MemoryControlList = std::vector<std::shared_ptr<MemoryControl>>;

// The default values of a form whose description leaves them out: the system colours of a dialog
// face and its text, and a 240 by 180 point client area.
inline constexpr int32_t kDefaultFormBackColor = -2147483633;  // &H8000000F&
inline constexpr int32_t kDefaultFormForeColor = -2147483630;  // &H80000012&
inline constexpr float kDefaultFormInsideWidth = 240.0f;
inline constexpr float kDefaultFormInsideHeight = 180.0f;

class MemoryUserForm : public UserForm, public std::enable_shared_from_this<MemoryUserForm> {
 public:
  // A form with the default values and font and no controls.
  MemoryUserForm();

  int32_t BackColor() override { return CLng(back_color_.Read()); }
  int32_t ForeColor() override { return CLng(fore_color_.Read()); }
  float InsideWidth() override { return CSng(inside_width_.Read()); }
  float InsideHeight() override { return CSng(inside_height_.Read()); }
  // The same font object on every read, or the font slot's failure on every read.
  std::shared_ptr<Font> GetFont() override { return font_.Read(); }
  // Every control of the form in document order: a container before its children; the Pages of
  // a MultiPage are not listed, the controls on them are.
  ControlList Controls() override;

  void SetBackColor(Slot value) { back_color_ = std::move(value); }
  void SetForeColor(Slot value) { fore_color_ = std::move(value); }
  void SetInsideWidth(Slot value) { inside_width_ = std::move(value); }
  void SetInsideHeight(Slot value) { inside_height_ = std::move(value); }
  void SetFont(ObjectSlot<Font> font) { font_ = std::move(font); }

  // Places a control directly on the form. The form must be owned by a shared_ptr, and the
  // control must not have a container yet.
  void AddControl(std::shared_ptr<MemoryControl> control);
  const MemoryControlList& children() const { return children_; }

 private:
  Slot back_color_ = Variant::Long(kDefaultFormBackColor);
  Slot fore_color_ = Variant::Long(kDefaultFormForeColor);
  Slot inside_width_ = Variant::Single(kDefaultFormInsideWidth);
  Slot inside_height_ = Variant::Single(kDefaultFormInsideHeight);
  ObjectSlot<Font> font_;
  MemoryControlList children_;
};

// A control's own object (its Object property): its TypeName is the control's type name and it
// answers reads by name from the control's properties only.
class MemoryControlObject : public HostObject {
 public:
  explicit MemoryControlObject(std::string type_name) : type_name_(std::move(type_name)) {}
  std::string TypeName() const override { return type_name_; }
  Variant Get(std::string_view name) override;

  PropertyMap& properties() { return properties_; }
  const PropertyMap& properties() const { return properties_; }

 private:
  std::string type_name_;
  PropertyMap properties_;
};

// The extender properties every control has, typed at read time.
enum class Extender : uint8_t {
  kName,
  kLeft,
  kTop,
  kWidth,
  kHeight,
  kTabIndex,
  kTabStop,
  kTag,
  kControlTipText,
  kHelpContextID,
  kVisible,
  kCancel,
  kDefault,
};
inline constexpr size_t kExtenderCount = 13;
// The extender of that exact name, or nullopt.
std::optional<Extender> FindExtender(std::string_view name);
// Same, ignoring ASCII case, as reads by name match.
std::optional<Extender> FindExtenderIgnoringCase(std::string_view name);

class MemoryControl : public Control, public std::enable_shared_from_this<MemoryControl> {
 public:
  // A control of the given type with all extenders at their defaults: Name "", Left, Top, Width
  // and Height Single 0, TabIndex Integer 0, TabStop True, Tag and ControlTipText "",
  // HelpContextID Long 0, Visible True, Cancel and Default False.
  explicit MemoryControl(std::string type_name);

  std::string TypeName() const override { return type_name_; }
  // The control's properties first, then "Object" and "Parent", then the extenders; 438 for
  // anything else.
  Variant Get(std::string_view name) override;

  std::string Name() override { return CStr(Read(Extender::kName)); }
  float Left() override { return CSng(Read(Extender::kLeft)); }
  float Top() override { return CSng(Read(Extender::kTop)); }
  float Width() override { return CSng(Read(Extender::kWidth)); }
  float Height() override { return CSng(Read(Extender::kHeight)); }
  int16_t TabIndex() override { return CInt(Read(Extender::kTabIndex)); }
  bool TabStop() override { return CBool(Read(Extender::kTabStop)); }
  std::string Tag() override { return CStr(Read(Extender::kTag)); }
  std::string ControlTipText() override { return CStr(Read(Extender::kControlTipText)); }
  int32_t HelpContextID() override { return CLng(Read(Extender::kHelpContextID)); }
  bool Visible() override { return CBool(Read(Extender::kVisible)); }
  bool Cancel() override { return CBool(Read(Extender::kCancel)); }
  bool Default() override { return CBool(Read(Extender::kDefault)); }
  // The container (the form, a Frame, a Page, a MultiPage for a Page), or the replacement value
  // set by SetParentOverride. Nothing when the control has no container (or it no longer exists).
  ObjectRef Parent() override;
  // The control's own object, the same on every read, or the replacement set by
  // SetObjectOverride.
  ObjectRef Object() override;
  // For a container (IsContainer): every control inside it in document order, as the form lists
  // them. Other controls fail with 438.
  ControlList Controls() override;
  // CLng of the property "Orientation" read by name.
  int32_t Orientation() override;

  // The extender's stored value, not yet converted; throws its failure.
  const Variant& Read(Extender extender) const;
  void SetExtender(Extender extender, Slot value);
  PropertyMap& properties() { return own_object_->properties(); }
  // Replaces what Parent or Object returns: a failure raises, Null gives Nothing, an object gives
  // that object, any other value fails with 13.
  void SetParentOverride(Slot value) { parent_override_ = std::move(value); }
  void SetObjectOverride(Slot value) { object_override_ = std::move(value); }

  // Frames and Pages are containers; so is any control other than a MultiPage that was given a
  // children list (MarkAsContainer or AddChild). A MultiPage holds Pages but answers no Controls.
  bool IsContainer() const;
  void MarkAsContainer() { holds_controls_ = true; }
  // Places `child` inside this control. The control must be owned by a shared_ptr, and the child
  // must have no container yet and must not be this control or one of its containers.
  void AddChild(std::shared_ptr<MemoryControl> child);
  const MemoryControlList& children() const { return children_; }

 private:
  friend class MemoryUserForm;
  void SetContainer(std::weak_ptr<HostObject> container);

  std::string type_name_;
  // Only the extenders that were set; the others have their defaults. Most controls set few.
  std::vector<std::pair<Extender, Slot>> extenders_;
  std::shared_ptr<MemoryControlObject> own_object_;
  std::optional<Slot> parent_override_;
  std::optional<Slot> object_override_;
  std::weak_ptr<HostObject> container_;
  bool has_container_ = false;
  bool holds_controls_ = false;
  MemoryControlList children_;
};

// A code module over a text. Line ends (CR LF, or a lone LF or CR) are normalised: the module's
// lines are the text's pieces between line ends, so a text ending in a line end has an empty last
// line, and the empty text has no lines.
class MemoryCodeModule : public CodeModule {
 public:
  explicit MemoryCodeModule(std::string_view text = {});
  int32_t CountOfLines() override;
  // Fails with 9 when start < 1, count < 0, or the range runs past the last line; a count of 0
  // gives the empty text.
  std::string Lines(int32_t start, int32_t count) override;

 private:
  std::vector<std::string> lines_;
};

class MemoryReference : public Reference {
 public:
  MemoryReference(Slot name, Slot is_broken)
      : name_(std::move(name)), is_broken_(std::move(is_broken)) {}
  std::string Name() override { return CStr(name_.Read()); }
  bool IsBroken() override { return CBool(is_broken_.Read()); }

 private:
  Slot name_;
  Slot is_broken_;
};

class MemoryComponent : public VbComponent {
 public:
  // A UserForm component (type 3) starts with an empty form with the defaults; others with no
  // designer. Every component starts with an empty code module.
  MemoryComponent(std::string name, int32_t type);

  std::string Name() override { return name_; }
  int32_t Type() override { return type_; }
  std::shared_ptr<UserForm> Designer() override { return designer_.Read(); }
  // From the component's properties, matched ignoring case; an unknown name fails with 5.
  Variant PropertyValue(std::string_view name) override;
  std::shared_ptr<CodeModule> GetCodeModule() override { return code_module_.Read(); }

  void SetDesigner(ObjectSlot<UserForm> designer) { designer_ = std::move(designer); }
  void SetCodeModule(ObjectSlot<CodeModule> code_module) { code_module_ = std::move(code_module); }
  PropertyMap& properties() { return properties_; }

 private:
  std::string name_;
  int32_t type_;
  PropertyMap properties_;
  ObjectSlot<UserForm> designer_;
  ObjectSlot<CodeModule> code_module_;
};

class MemoryProject : public VbProject {
 public:
  explicit MemoryProject(std::string name) : name_(std::move(name)) {}
  std::string Name() override { return name_; }
  std::vector<std::shared_ptr<VbComponent>> VBComponents() override;
  std::vector<std::shared_ptr<Reference>> References() override;

  void AddComponent(std::shared_ptr<MemoryComponent> component);
  void AddReference(std::shared_ptr<Reference> reference);
  // The component of exactly that name, or null.
  std::shared_ptr<MemoryComponent> FindComponent(std::string_view name) const;

 private:
  std::string name_;
  std::vector<std::shared_ptr<MemoryComponent>> components_;
  std::vector<std::shared_ptr<Reference>> references_;
};

class MemoryVbe : public Vbe {
 public:
  std::shared_ptr<VbProject> ActiveVBProject() override { return active_project_; }
  std::shared_ptr<VbComponent> SelectedVBComponent() override { return selected_component_; }
  // Without bars set, an editor's usual "Add-Ins" bar holding the add-in manager's command.
  std::shared_ptr<CommandBars> GetCommandBars() override;
  std::shared_ptr<VbeEvents> GetEvents() override { return events_; }

  std::shared_ptr<MemoryCommandBars> command_bars();
  void SetCommandBars(std::shared_ptr<MemoryCommandBars> bars) { command_bars_ = std::move(bars); }

  void SetActiveProject(std::shared_ptr<VbProject> project) {
    active_project_ = std::move(project);
  }
  void SetSelectedComponent(std::shared_ptr<VbComponent> component) {
    selected_component_ = std::move(component);
  }

 private:
  std::shared_ptr<VbProject> active_project_;
  std::shared_ptr<VbComponent> selected_component_;
  std::shared_ptr<MemoryCommandBars> command_bars_;
  std::shared_ptr<MemoryVbeEvents> events_ = std::make_shared<MemoryVbeEvents>();
};

// Registry keys directly under the class root; names match ignoring ASCII case, as registry key
// names do.
class MemoryClassRegistry : public ClassRegistry {
 public:
  explicit MemoryClassRegistry(std::vector<std::string> keys = {}) : keys_(std::move(keys)) {}
  bool KeyExists(const std::string& name) override;
  void Add(std::string key) { keys_.push_back(std::move(key)); }

 private:
  std::vector<std::string> keys_;
};

}  // namespace tovalin
