#include "host/memory/project_loader.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <unordered_set>
#include <utility>

#include "host/host_error.h"
#include "host/memory/component_name.h"
#include "host/memory/memory_model.h"
#include "host/memory/message_text.h"
#include "host/variant.h"

namespace tovalin {
namespace {

using Json = nlohmann::json;

std::string ChildPath(const std::string& path, std::string_view key) {
  std::string child = path + "/";
  // JSON pointer escapes: "~" as "~0", "/" as "~1".
  for (char c : key) {
    if (c == '~') {
      child += "~0";
    } else if (c == '/') {
      child += "~1";
    } else {
      child += c;
    }
  }
  return child;
}

std::string ChildPath(const std::string& path, size_t index) {
  return path + "/" + std::to_string(index);
}

std::string_view KindOf(const Json& json) {
  switch (json.type()) {
    case Json::value_t::null:
      return "null";
    case Json::value_t::boolean:
      return "a Boolean";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
      return "a number";
    case Json::value_t::string:
      return "a string";
    case Json::value_t::array:
      return "an array";
    case Json::value_t::object:
      return "an object";
    default:
      return "something else";
  }
}

// A first pass over the text that refuses what the parser would accept silently or at a cost:
// a key repeated in one object (the parser would keep the last), and nesting deeper than
// the depth limit. Syntax errors are reported here too, with the parser's byte position.
class TextChecker {
 public:
  TextChecker(const std::string& source, size_t max_depth)
      : source_(source), max_depth_(max_depth) {}

  bool null() { return ElementDone(); }
  bool boolean(bool) { return ElementDone(); }
  bool number_integer(Json::number_integer_t) { return ElementDone(); }
  bool number_unsigned(Json::number_unsigned_t) { return ElementDone(); }
  bool number_float(Json::number_float_t, const Json::string_t&) { return ElementDone(); }
  bool string(Json::string_t&) { return ElementDone(); }
  bool binary(Json::binary_t&) { return ElementDone(); }
  bool start_object(size_t) { return Open(true); }
  bool start_array(size_t) { return Open(false); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }
  bool key(Json::string_t& key) {
    Level& level = levels_.back();
    level.key = key;
    if (!level.keys.insert(key).second) {
      throw DescriptionError(MessageFor(source_, CurrentPath(), "the field appears twice"));
    }
    return true;
  }
  bool parse_error(size_t position, const std::string&, const Json::exception& error) {
    throw DescriptionError(SanitizedForMessage(source_ + ": invalid JSON at byte " +
                                               std::to_string(position) + ": " +
                                               ParserReason(error.what())));
  }

 private:
  struct Level {
    bool is_object;
    size_t index;
    std::string key;
    std::unordered_set<std::string> keys;
  };

  // The parser's own words, without its exception's name and position prefix.
  static std::string ParserReason(const std::string& what) {
    const size_t position = what.find("parse error");
    if (position != std::string::npos) {
      const size_t colon = what.find(": ", position);
      if (colon != std::string::npos) return what.substr(colon + 2);
    }
    const size_t bracket = what.find("] ");
    return bracket == std::string::npos ? what : what.substr(bracket + 2);
  }

  bool Open(bool is_object) {
    if (levels_.size() >= max_depth_) {
      throw DescriptionError(
          MessageFor(source_, CurrentPath(),
                     "nested more than " + std::to_string(max_depth_) + " levels deep"));
    }
    levels_.push_back({is_object, 0, {}, {}});
    return true;
  }
  bool Close() {
    levels_.pop_back();
    return ElementDone();
  }
  bool ElementDone() {
    if (!levels_.empty() && !levels_.back().is_object) ++levels_.back().index;
    return true;
  }

  std::string CurrentPath() const {
    std::string path;
    for (const Level& level : levels_) {
      path = level.is_object ? ChildPath(path, level.key) : ChildPath(path, level.index);
    }
    return path;
  }

  const std::string& source_;
  const size_t max_depth_;
  std::vector<Level> levels_;
};

class Loader;

// A JSON object of the description whose field names have been checked against those allowed.
class Fields {
 public:
  Fields(const Loader& loader, const Json& json, std::string path,
         std::initializer_list<std::string_view> allowed, std::string_view what,
         std::string_view unknown_hint = {});

  // The field, or null when absent.
  const Json* Find(std::string_view name) const {
    auto it = json_.find(name);
    return it == json_.end() ? nullptr : &*it;
  }
  std::string PathOf(std::string_view name) const { return ChildPath(path_, name); }
  const std::string& path() const { return path_; }

 private:
  const Json& json_;
  std::string path_;
};

class Loader {
 public:
  Loader(const std::string& source, const DescriptionLimits& limits)
      : source_(source), limits_(limits) {}

  LoadedDescription Load(const Json& root);
  std::shared_ptr<MemoryCommandBars> CommandBarList(const Json& list, const std::string& list_path);

  [[noreturn]] void Fail(const std::string& path, std::string_view what) const {
    throw DescriptionError(MessageFor(source_, path, what));
  }

  // A value where the description allows one: a plain or typed value, or a failure.
  Slot Value(const Json& json, const std::string& path) const;
  // A failure object {"error": N, "description": "..."}.
  HostError Failure(const Json& json, const std::string& path) const;
  // True when `json` has the shape of a failure, where an object may also stand.
  static bool IsFailure(const Json& json) { return json.is_object() && json.contains("error"); }

  int64_t WholeNumber(const Json& json, const std::string& path, int64_t min, int64_t max,
                      std::string_view type) const;
  const std::string& String(const Json& json, const std::string& path) const;

 private:
  Slot TypedValue(const Json& json, const std::string& path) const;
  Currency CurrencyValue(const Json& json, const std::string& path) const;

  std::shared_ptr<MemoryProject> Project(const Json& json, const std::string& path,
                                         LoadedDescription& loaded) const;
  std::shared_ptr<MemoryComponent> Component(const Json& json, const std::string& path) const;
  std::shared_ptr<MemoryUserForm> Form(const Json& json, const std::string& path) const;
  std::shared_ptr<MemoryFont> FontObject(const Json& json, const std::string& path) const;
  std::shared_ptr<MemoryControl> Control(const Json& json, const std::string& path,
                                         int depth) const;
  // Reads a "controls" array, handing each control to `place` in document order.
  void Controls(const Json& json, const std::string& path, int depth, bool pages_only,
                const std::function<void(std::shared_ptr<MemoryControl>)>& place) const;
  void Properties(const Json& json, const std::string& path, PropertyMap& properties) const;

  const std::string& source_;
  const DescriptionLimits& limits_;
  // Counted while reading, hence mutable: the reading methods are otherwise free of state.
  mutable size_t control_count_ = 0;
};

Fields::Fields(const Loader& loader, const Json& json, std::string path,
               std::initializer_list<std::string_view> allowed, std::string_view what,
               std::string_view unknown_hint)
    : json_(json), path_(std::move(path)) {
  if (!json.is_object()) {
    loader.Fail(path_, "expected " + std::string(what) + ", found " + std::string(KindOf(json)));
  }
  for (const auto& [key, value] : json.items()) {
    bool known = false;
    std::string_view near;
    for (std::string_view name : allowed) {
      if (name == key) known = true;
      if (EqualsIgnoringAsciiCase(name, key)) near = name;
    }
    if (known) continue;
    std::string what_is_wrong = "unknown field";
    if (!near.empty()) {
      what_is_wrong += " (did you mean " + QuotedForMessage(near) + "?)";
    } else if (!unknown_hint.empty()) {
      what_is_wrong += "; " + std::string(unknown_hint);
    }
    loader.Fail(ChildPath(path_, key), what_is_wrong);
  }
}

const std::string& Loader::String(const Json& json, const std::string& path) const {
  if (!json.is_string()) Fail(path, "expected a string, found " + std::string(KindOf(json)));
  return json.get_ref<const std::string&>();
}

int64_t Loader::WholeNumber(const Json& json, const std::string& path, int64_t min, int64_t max,
                            std::string_view type) const {
  std::optional<int64_t> value;
  bool whole = true;
  switch (json.type()) {
    case Json::value_t::number_integer:
      value = json.get<int64_t>();
      break;
    case Json::value_t::number_unsigned: {
      const uint64_t u = json.get<uint64_t>();
      if (u <= static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) {
        value = static_cast<int64_t>(u);
      }
      break;
    }
    case Json::value_t::number_float: {
      const double d = json.get<double>();
      whole = std::trunc(d) == d;
      // 2^63 bounds the doubles that convert to int64_t.
      if (whole && std::fabs(d) < 9223372036854775808.0) value = static_cast<int64_t>(d);
      break;
    }
    default:
      Fail(path, "expected " + std::string(type) + ", found " + std::string(KindOf(json)));
  }
  if (!whole) Fail(path, "expected " + std::string(type) + ", found " + json.dump());
  if (!value || *value < min || *value > max) {
    Fail(path, json.dump() + " is out of range for " + std::string(type) + " (" +
                   std::to_string(min) + " to " + std::to_string(max) + ")");
  }
  return *value;
}

HostError Loader::Failure(const Json& json, const std::string& path) const {
  Fields fields(*this, json, path, {"error", "description"}, "a failure");
  const int64_t number = WholeNumber(*fields.Find("error"), fields.PathOf("error"),
                                     std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max(), "an error number");
  if (number == 0) Fail(fields.PathOf("error"), "an error number cannot be 0");
  if (const Json* description = fields.Find("description")) {
    return HostError(static_cast<int32_t>(number),
                     String(*description, fields.PathOf("description")));
  }
  return HostError(static_cast<int32_t>(number));
}

Slot Loader::Value(const Json& json, const std::string& path) const {
  switch (json.type()) {
    case Json::value_t::null:
      return Variant::Null();
    case Json::value_t::boolean:
      return Variant::Boolean(json.get<bool>());
    case Json::value_t::number_integer: {
      const int64_t n = json.get<int64_t>();
      if (n >= std::numeric_limits<int32_t>::min() && n <= std::numeric_limits<int32_t>::max()) {
        return Variant::Long(static_cast<int32_t>(n));
      }
      return Variant::Double(static_cast<double>(n));
    }
    case Json::value_t::number_unsigned: {
      const uint64_t n = json.get<uint64_t>();
      if (n <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
        return Variant::Long(static_cast<int32_t>(n));
      }
      return Variant::Double(static_cast<double>(n));
    }
    case Json::value_t::number_float:
      return Variant::Double(json.get<double>());
    case Json::value_t::string:
      return Variant::String(json.get<std::string>());
    case Json::value_t::object:
      if (IsFailure(json)) return Failure(json, path);
      return TypedValue(json, path);
    default:
      Fail(path, "expected a value, found " + std::string(KindOf(json)));
  }
}

Slot Loader::TypedValue(const Json& json, const std::string& path) const {
  if (json.size() != 1) {
    Fail(path,
         "expected a value, found an object that is neither a typed value such as {\"Integer\": "
         "3} nor a failure such as {\"error\": 5}");
  }
  const auto item = json.items().begin();
  const std::string& type = item.key();
  const Json& value = item.value();
  const std::string value_path = ChildPath(path, type);
  if (type == "Integer") {
    return Variant::Integer(
        static_cast<int16_t>(WholeNumber(value, value_path, -32768, 32767, "an Integer")));
  }
  if (type == "Long") {
    return Variant::Long(
        static_cast<int32_t>(WholeNumber(value, value_path, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max(), "a Long")));
  }
  if (type == "Single" || type == "Double") {
    if (!value.is_number()) {
      Fail(value_path, "expected a number, found " + std::string(KindOf(value)));
    }
    const double d = value.get<double>();
    if (type == "Double") return Variant::Double(d);
    if (std::fabs(d) > std::numeric_limits<float>::max()) {
      Fail(value_path, value.dump() + " is out of range for a Single");
    }
    return Variant::Single(static_cast<float>(d));
  }
  if (type == "Currency") return Variant::FromCurrency(CurrencyValue(value, value_path));
  if (type == "Boolean") {
    if (!value.is_boolean()) Fail(value_path, "expected true or false, found " + value.dump());
    return Variant::Boolean(value.get<bool>());
  }
  if (type == "String") return Variant::String(String(value, value_path));
  if (type == "Empty") {
    if (value != Json(true)) Fail(value_path, "expected true, found " + value.dump());
    return Variant();
  }
  Fail(value_path,
       "unknown value type; the types are Integer, Long, Single, Double, Currency, Boolean, "
       "String and Empty");
}

Currency Loader::CurrencyValue(const Json& json, const std::string& path) const {
  constexpr int64_t kScale = 10000;
  const std::string range_fault = " is out of range for a Currency";
  if (json.is_number_integer()) {
    const int64_t limit = std::numeric_limits<int64_t>::max() / kScale;
    return Currency{WholeNumber(json, path, -limit, limit, "a Currency") * kScale};
  }
  if (json.is_number_float()) {
    const double d = json.get<double>();
    // Within this bound the scaled value stays below 2^63; the few values above it up to the
    // Currency limit need the decimal text form.
    if (std::fabs(d) > 922337203685477.5) Fail(path, json.dump() + range_fault);
    return CCur(Variant::Double(d));
  }
  if (!json.is_string()) {
    Fail(path, "expected a decimal text such as \"8.25\", found " + std::string(KindOf(json)));
  }
  // [sign] digits [. up to four digits], computed exactly.
  const std::string& text = json.get_ref<const std::string&>();
  const std::string format_fault =
      QuotedForMessage(text) + " is not a decimal number with at most four decimals";
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  uint64_t magnitude = 0;
  int digits = 0;
  int decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') Fail(path, format_fault);
    if (point && ++decimals > 4) Fail(path, format_fault);
    if (magnitude > (std::numeric_limits<uint64_t>::max() - 9) / 10) Fail(path, text + range_fault);
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    ++digits;
  }
  if (digits == 0) Fail(path, format_fault);
  for (; decimals < 4; ++decimals) {
    if (magnitude > std::numeric_limits<uint64_t>::max() / 10) Fail(path, text + range_fault);
    magnitude *= 10;
  }
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  if (magnitude > limit + (negative ? 1 : 0)) Fail(path, QuotedForMessage(text) + range_fault);
  // Negate in unsigned arithmetic so that the most negative value converts too.
  return Currency{negative ? static_cast<int64_t>(~magnitude + 1)
                           : static_cast<int64_t>(magnitude)};
}

void Loader::Properties(const Json& json, const std::string& path, PropertyMap& properties) const {
  if (!json.is_object()) {
    Fail(path, "expected an object of values by name, found " + std::string(KindOf(json)));
  }
  for (const auto& [name, value] : json.items()) {
    const std::string value_path = ChildPath(path, name);
    if (!properties.Add(name, Value(value, value_path))) {
      Fail(value_path, "names are matched ignoring case, and another property has this name");
    }
  }
}

std::shared_ptr<MemoryFont> Loader::FontObject(const Json& json, const std::string& path) const {
  Fields fields(
      *this, json, path,
      {"Name", "Size", "Bold", "Italic", "Underline", "Strikethrough", "Weight", "Charset"},
      "a font object or a failure");
  auto font = std::make_shared<MemoryFont>();
  for (const auto& [name, value] : json.items()) {
    font->Set(*MemoryFont::DispIdOf(name), Value(value, fields.PathOf(name)));
  }
  return font;
}

std::shared_ptr<MemoryUserForm> Loader::Form(const Json& json, const std::string& path) const {
  Fields fields(*this, json, path,
                {"BackColor", "ForeColor", "InsideWidth", "InsideHeight", "Font", "controls"},
                "a form object, null or a failure");
  auto form = std::make_shared<MemoryUserForm>();
  if (const Json* value = fields.Find("BackColor")) {
    form->SetBackColor(Value(*value, fields.PathOf("BackColor")));
  }
  if (const Json* value = fields.Find("ForeColor")) {
    form->SetForeColor(Value(*value, fields.PathOf("ForeColor")));
  }
  if (const Json* value = fields.Find("InsideWidth")) {
    form->SetInsideWidth(Value(*value, fields.PathOf("InsideWidth")));
  }
  if (const Json* value = fields.Find("InsideHeight")) {
    form->SetInsideHeight(Value(*value, fields.PathOf("InsideHeight")));
  }
  if (const Json* font = fields.Find("Font")) {
    if (IsFailure(*font))
      form->SetFont(Failure(*font, fields.PathOf("Font")));
    else
      form->SetFont(FontObject(*font, fields.PathOf("Font")));
  }
  if (const Json* controls = fields.Find("controls")) {
    Controls(*controls, fields.PathOf("controls"), 1, false,
             [&form](std::shared_ptr<MemoryControl> control) { form->AddControl(control); });
  }
  return form;
}

void Loader::Controls(const Json& json, const std::string& path, int depth, bool pages_only,
                      const std::function<void(std::shared_ptr<MemoryControl>)>& place) const {
  if (!json.is_array()) {
    Fail(path, "expected an array of controls, found " + std::string(KindOf(json)));
  }
  for (size_t i = 0; i < json.size(); ++i) {
    std::shared_ptr<MemoryControl> control = Control(json[i], ChildPath(path, i), depth);
    if (pages_only && control->TypeName() != "Page") {
      Fail(ChildPath(ChildPath(path, i), "typeName"),
           "a MultiPage holds only controls of the type \"Page\"");
    }
    place(std::move(control));
  }
}

std::shared_ptr<MemoryControl> Loader::Control(const Json& json, const std::string& path,
                                               int depth) const {
  if (++control_count_ > limits_.max_controls) {
    Fail(path,
         "the description holds more than " + std::to_string(limits_.max_controls) + " controls");
  }
  if (depth > limits_.max_control_depth) {
    Fail(path, "controls are nested more than " + std::to_string(limits_.max_control_depth) +
                   " levels deep");
  }
  Fields fields(*this, json, path,
                {"typeName", "Name", "Left", "Top", "Width", "Height", "TabIndex", "TabStop", "Tag",
                 "ControlTipText", "HelpContextID", "Visible", "Cancel", "Default", "Parent",
                 "Object", "properties", "controls"},
                "a control object", "a control's other properties go under \"properties\"");
  const Json* type_name = fields.Find("typeName");
  if (type_name == nullptr) Fail(path, "a control needs a \"typeName\"");
  if (fields.Find("Name") == nullptr) Fail(path, "a control needs a \"Name\"");
  auto control = std::make_shared<MemoryControl>(String(*type_name, fields.PathOf("typeName")));
  for (const auto& [key, value] : json.items()) {
    if (auto extender = FindExtender(key)) {
      control->SetExtender(*extender, Value(value, fields.PathOf(key)));
    }
  }
  if (const Json* parent = fields.Find("Parent")) {
    control->SetParentOverride(Value(*parent, fields.PathOf("Parent")));
  }
  if (const Json* object = fields.Find("Object")) {
    control->SetObjectOverride(Value(*object, fields.PathOf("Object")));
  }
  if (const Json* properties = fields.Find("properties")) {
    Properties(*properties, fields.PathOf("properties"), control->properties());
  }
  if (const Json* children = fields.Find("controls")) {
    control->MarkAsContainer();
    Controls(*children, fields.PathOf("controls"), depth + 1, control->TypeName() == "MultiPage",
             [&control](std::shared_ptr<MemoryControl> child) { control->AddChild(child); });
  }
  return control;
}

std::shared_ptr<MemoryComponent> Loader::Component(const Json& json,
                                                   const std::string& path) const {
  Fields fields(*this, json, path, {"name", "type", "properties", "code", "designer"},
                "a component object");
  const Json* name_json = fields.Find("name");
  if (name_json == nullptr) Fail(path, "a component needs a \"name\"");
  const Json* type_json = fields.Find("type");
  if (type_json == nullptr) Fail(path, "a component needs a \"type\"");
  const std::string& name = String(*name_json, fields.PathOf("name"));
  if (auto fault = ComponentNameFault(name)) {
    Fail(fields.PathOf("name"), QuotedForMessage(name) + " is not a valid name: " + *fault);
  }
  const auto type = static_cast<int32_t>(
      WholeNumber(*type_json, fields.PathOf("type"), std::numeric_limits<int32_t>::min(),
                  std::numeric_limits<int32_t>::max(), "a component type"));
  auto component = std::make_shared<MemoryComponent>(name, type);
  if (const Json* properties = fields.Find("properties")) {
    Properties(*properties, fields.PathOf("properties"), component->properties());
  }
  if (const Json* code = fields.Find("code")) {
    if (IsFailure(*code)) {
      component->SetCodeModule(Failure(*code, fields.PathOf("code")));
    } else if (code->is_string()) {
      component->SetCodeModule(
          std::make_shared<MemoryCodeModule>(code->get_ref<const std::string&>()));
    } else {
      Fail(fields.PathOf("code"),
           "expected a string or a failure, found " + std::string(KindOf(*code)));
    }
  }
  if (const Json* designer = fields.Find("designer")) {
    if (designer->is_null())
      component->SetDesigner(ObjectSlot<UserForm>());
    else if (IsFailure(*designer))
      component->SetDesigner(Failure(*designer, fields.PathOf("designer")));
    else
      component->SetDesigner(Form(*designer, fields.PathOf("designer")));
  }
  return component;
}

std::shared_ptr<MemoryProject> Loader::Project(const Json& json, const std::string& path,
                                               LoadedDescription& loaded) const {
  Fields fields(*this, json, path, {"name", "codePage", "references", "components"},
                "a project object or null");
  std::string name = "VBAProject";
  if (const Json* name_json = fields.Find("name")) name = String(*name_json, fields.PathOf("name"));
  auto project = std::make_shared<MemoryProject>(std::move(name));
  if (const Json* code_page = fields.Find("codePage")) {
    loaded.code_page = static_cast<uint32_t>(
        WholeNumber(*code_page, fields.PathOf("codePage"), 1, 65535, "a code page number"));
  }
  if (const Json* references = fields.Find("references")) {
    const std::string list_path = fields.PathOf("references");
    if (!references->is_array()) {
      Fail(list_path, "expected an array of references, found " + std::string(KindOf(*references)));
    }
    for (size_t i = 0; i < references->size(); ++i) {
      Fields reference(*this, (*references)[i], ChildPath(list_path, i), {"name", "isBroken"},
                       "a reference object");
      const Json* reference_name = reference.Find("name");
      if (reference_name == nullptr) Fail(reference.path(), "a reference needs a \"name\"");
      Slot is_broken = Variant::Boolean(false);
      if (const Json* broken = reference.Find("isBroken")) {
        is_broken = Value(*broken, reference.PathOf("isBroken"));
      }
      project->AddReference(std::make_shared<MemoryReference>(
          Value(*reference_name, reference.PathOf("name")), std::move(is_broken)));
    }
  }
  if (const Json* components = fields.Find("components")) {
    const std::string list_path = fields.PathOf("components");
    if (!components->is_array()) {
      Fail(list_path, "expected an array of components, found " + std::string(KindOf(*components)));
    }
    for (size_t i = 0; i < components->size(); ++i) {
      const std::string component_path = ChildPath(list_path, i);
      std::shared_ptr<MemoryComponent> component = Component((*components)[i], component_path);
      if (project->FindComponent(component->Name()) != nullptr) {
        Fail(ChildPath(component_path, "name"),
             "another component is named " + QuotedForMessage(component->Name()));
      }
      project->AddComponent(std::move(component));
    }
  }
  return project;
}

// "commandBars": [{"name": "Add-Ins", "controls": ["&Add-In Manager..."]}, ...]
std::shared_ptr<MemoryCommandBars> Loader::CommandBarList(const Json& list,
                                                          const std::string& list_path) {
  if (!list.is_array()) {
    Fail(list_path, "expected an array of command bars, found " + std::string(KindOf(list)));
  }
  auto bars = std::make_shared<MemoryCommandBars>();
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string bar_path = ChildPath(list_path, i);
    Fields fields(*this, list[i], bar_path, {"name", "controls"}, "a command bar object");
    const Json* name = fields.Find("name");
    if (name == nullptr) Fail(bar_path, "a command bar needs a \"name\"");
    auto bar = bars->AddBar(String(*name, fields.PathOf("name")));
    if (const Json* controls = fields.Find("controls")) {
      const std::string controls_path = fields.PathOf("controls");
      if (!controls->is_array()) {
        Fail(controls_path,
             "expected an array of captions, found " + std::string(KindOf(*controls)));
      }
      for (size_t j = 0; j < controls->size(); ++j) {
        bar->AddControl(kMsoControlButton, false,
                        String((*controls)[j], ChildPath(controls_path, j)));
      }
    }
  }
  return bars;
}

LoadedDescription Loader::Load(const Json& root) {
  Fields fields(*this, root, "",
                {"activeProject", "selectedComponent", "registeredClasses", "commandBars"},
                "an object");
  LoadedDescription loaded;
  auto vbe = std::make_shared<MemoryVbe>();
  std::shared_ptr<MemoryProject> project;
  if (const Json* active = fields.Find("activeProject"); active != nullptr && !active->is_null()) {
    project = Project(*active, fields.PathOf("activeProject"), loaded);
    vbe->SetActiveProject(project);
  }
  if (const Json* selected = fields.Find("selectedComponent");
      selected != nullptr && !selected->is_null()) {
    const std::string selected_path = fields.PathOf("selectedComponent");
    const std::string& name = String(*selected, selected_path);
    if (project == nullptr) Fail(selected_path, "there is no active project to select from");
    std::shared_ptr<MemoryComponent> component = project->FindComponent(name);
    if (component == nullptr) {
      Fail(selected_path, "the active project has no component named " + QuotedForMessage(name));
    }
    vbe->SetSelectedComponent(std::move(component));
  }
  std::vector<std::string> classes;
  if (const Json* registered = fields.Find("registeredClasses")) {
    const std::string list_path = fields.PathOf("registeredClasses");
    if (!registered->is_array()) {
      Fail(list_path,
           "expected an array of class names, found " + std::string(KindOf(*registered)));
    }
    for (size_t i = 0; i < registered->size(); ++i) {
      classes.push_back(String((*registered)[i], ChildPath(list_path, i)));
    }
  }
  if (const Json* bars = fields.Find("commandBars")) {
    vbe->SetCommandBars(CommandBarList(*bars, fields.PathOf("commandBars")));
  }
  loaded.vbe = std::move(vbe);
  loaded.class_registry = std::make_shared<MemoryClassRegistry>(std::move(classes));
  return loaded;
}

std::string TooLarge(const std::string& source, size_t max_bytes) {
  const std::string limit = (max_bytes % (size_t{1} << 20) == 0)
                                ? std::to_string(max_bytes >> 20) + " MiB"
                                : std::to_string(max_bytes) + " bytes";
  return SanitizedForMessage(source) + ": larger than " + limit +
         ", the most a description may hold";
}

}  // namespace

LoadedDescription LoadProjectDescription(std::string_view json_text,
                                         const std::string& source_name) {
  return LoadProjectDescription(json_text, source_name, DescriptionLimits{});
}

LoadedDescription LoadProjectDescription(std::string_view json_text, const std::string& source_name,
                                         const DescriptionLimits& limits) {
  if (json_text.size() > limits.max_bytes) {
    throw DescriptionError(TooLarge(source_name, limits.max_bytes));
  }
  // The checker throws on every fault it finds, so after it the text is valid JSON.
  TextChecker checker(source_name, limits.max_json_depth);
  Json::sax_parse(json_text.begin(), json_text.end(), &checker);
  const Json root = Json::parse(json_text.begin(), json_text.end());
  return Loader(source_name, limits).Load(root);
}

LoadedDescription LoadProjectDescriptionFile(const std::string& path) {
  return LoadProjectDescriptionFile(path, DescriptionLimits{});
}

LoadedDescription LoadProjectDescriptionFile(const std::string& path,
                                             const DescriptionLimits& limits) {
  auto cannot_read = [&path](int error) {
    return DescriptionError(SanitizedForMessage(path) + ": cannot read: " + std::strerror(error));
  };
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (file == nullptr) throw cannot_read(errno);
  // Read in pieces up to the limit, so that a huge or endless file (a device) is not slurped.
  std::string text;
  char buffer[1 << 16];
  for (;;) {
    const size_t read = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, read);
    if (text.size() > limits.max_bytes) throw DescriptionError(TooLarge(path, limits.max_bytes));
    if (read < sizeof buffer) {
      if (std::ferror(file.get())) throw cannot_read(errno);
      break;
    }
  }
  return LoadProjectDescription(text, path, limits);
}

}  // namespace tovalin
