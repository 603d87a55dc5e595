// The editor's object model as the engine and the dialogs read it: the editor root (Vbe), its
// projects, components, code modules and references, and the forms package's form, controls and
// font. Every read may throw HostError with the editor's error number; an absent object ("Nothing")
// is a null pointer. Objects are shared; identity is pointer identity.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/variant.h"

namespace tovalin {

// Any object of the host. `TypeName` is the class name the runtime's TypeName reports; `Get` is a
// late-bound property read by name (names match without regard to case) and fails with 438 when
// the object's type lacks the property.
class HostObject {
 public:
  virtual ~HostObject() = default;
  virtual std::string TypeName() const = 0;
  virtual Variant Get(std::string_view name);
};

// TypeName(object) as the runtime reports it, "Nothing" for an absent object.
std::string TypeName(const HostObject* object);
inline std::string TypeName(const ObjectRef& object) { return TypeName(object.get()); }

// Reads `name` from `object`, failing with 91 when the object is Nothing.
Variant GetProperty(const ObjectRef& object, std::string_view name);

// The standard font object, read by dispatch number.
class Font : public HostObject {
 public:
  static constexpr int32_t kName = 0;
  static constexpr int32_t kSize = 2;
  static constexpr int32_t kBold = 3;
  static constexpr int32_t kItalic = 4;
  static constexpr int32_t kUnderline = 5;
  static constexpr int32_t kStrikethrough = 6;
  static constexpr int32_t kWeight = 7;
  static constexpr int32_t kCharset = 8;

  virtual Variant GetByDispId(int32_t dispid) = 0;
};

class Control;
using ControlList = std::vector<std::shared_ptr<Control>>;

// A control of a form with its extender properties, typed as the object model types them.
class Control : public HostObject {
 public:
  virtual std::string Name() = 0;
  virtual float Left() = 0;
  virtual float Top() = 0;
  virtual float Width() = 0;
  virtual float Height() = 0;
  virtual int16_t TabIndex() = 0;
  virtual bool TabStop() = 0;
  virtual std::string Tag() = 0;
  virtual std::string ControlTipText() = 0;
  virtual int32_t HelpContextID() = 0;
  virtual bool Visible() = 0;
  virtual bool Cancel() = 0;
  virtual bool Default() = 0;
  virtual ObjectRef Parent() = 0;
  virtual ObjectRef Object() = 0;
  // The Controls collection of a container (a Frame, a Page): every control inside it, nested
  // ones included, in the host's order. Other types fail with 438.
  virtual ControlList Controls();
  // The scroll bar's Orientation: 1 horizontal, 0 vertical, -1 automatic; 438 for other types.
  virtual int32_t Orientation();
};

// The forms package's form object: a component's designer.
class UserForm : public HostObject {
 public:
  std::string TypeName() const override { return "UserForm"; }
  virtual int32_t BackColor() = 0;
  virtual int32_t ForeColor() = 0;
  virtual float InsideWidth() = 0;
  virtual float InsideHeight() = 0;
  virtual std::shared_ptr<Font> GetFont() = 0;
  // Every control of the form, nested ones included, in the host's order.
  virtual ControlList Controls() = 0;
};

class CodeModule {
 public:
  virtual ~CodeModule() = default;
  virtual int32_t CountOfLines() = 0;
  // Lines `start` to `start + count - 1` joined by CR LF, none after the last.
  virtual std::string Lines(int32_t start, int32_t count) = 0;
};

class Reference {
 public:
  virtual ~Reference() = default;
  virtual std::string Name() = 0;
  virtual bool IsBroken() = 0;
};

// Component types as the editor numbers them.
enum ComponentType : int32_t {
  kStandardModule = 1,
  kClassModule = 2,
  kUserFormComponent = 3,
  kDocumentModule = 100,
};

class VbComponent {
 public:
  virtual ~VbComponent() = default;
  virtual std::string Name() = 0;
  virtual int32_t Type() = 0;
  virtual std::shared_ptr<UserForm> Designer() = 0;
  // Properties.Item(name).Value.
  virtual Variant PropertyValue(std::string_view name) = 0;
  virtual std::shared_ptr<CodeModule> GetCodeModule() = 0;
};

class VbProject {
 public:
  virtual ~VbProject() = default;
  virtual std::string Name() = 0;
  virtual std::vector<std::shared_ptr<VbComponent>> VBComponents() = 0;
  virtual std::vector<std::shared_ptr<Reference>> References() = 0;
};

class CommandBars;
class VbeEvents;

// The editor's root object.
class Vbe {
 public:
  virtual ~Vbe() = default;
  virtual std::shared_ptr<VbProject> ActiveVBProject() = 0;
  virtual std::shared_ptr<VbComponent> SelectedVBComponent() = 0;
  // The editor's command bars and its Events object (host/command_bars.h). An editor without
  // them fails with 438.
  virtual std::shared_ptr<CommandBars> GetCommandBars();
  virtual std::shared_ptr<VbeEvents> GetEvents();
};

}  // namespace tovalin
