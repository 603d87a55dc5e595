// Every form of the shared corpus, read from its document and from its exported .frm/.frx pair,
// against what two independent readers found: each control's name, type, caption, value, tag,
// tool tip, group name and tab index (first reader), its position and size (second reader, in
// whole dialog units) and where it sits (the container of every control). The test names every
// disagreement.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "host/memory/memory_model.h"
#include "host/office/designer_model.h"
#include "host/office/document_reader.h"
#include "host/office/exported_form.h"
#include "support/corpus_pairs.h"

namespace tovalin::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const fs::path kCorpus = TOVALIN_CORPUS;

// One second-reader unit in points: a dialog unit is about 28.9 twips across and 24.4 down.
constexpr double kPointsPerXUnit = 28.9 / 20;
constexpr double kPointsPerYUnit = 24.4 / 20;

// The member `key` of an object, or null.
const json& At(const json& object, const char* key) {
  static const json kNull;
  if (!object.is_object()) return kNull;
  const auto found = object.find(key);
  return found == object.end() ? kNull : *found;
}

std::string Text(const json& value) {
  return value.is_string() ? value.get<std::string>() : std::string();
}

// The value of a read, or a note of its failure.
template <typename Read>
std::string Attempt(Read&& read) {
  try {
    return read();
  } catch (const HostError& e) {
    return "<error " + std::to_string(e.number()) + ": " + e.description() + ">";
  }
}

bool IsMorphKind(const std::string& type) {
  return type == "TextBox" || type == "ListBox" || type == "ComboBox" || type == "CheckBox" ||
         type == "OptionButton" || type == "ToggleButton";
}
bool IsButtonKind(const std::string& type) {
  return type == "CheckBox" || type == "OptionButton" || type == "ToggleButton";
}
std::string StringOf(const Variant& value) {
  if (value.type() == VarType::kNull) return "<Null>";
  return CStr(value);
}

class Comparison {
 public:
  explicit Comparison(std::string where) : where_(std::move(where)) {}

  void Note(const std::string& control, const std::string& what) {
    problems_.push_back(where_ + " " + control + ": " + what);
  }
  template <typename A, typename B>
  void Expect(const std::string& control, const char* field, const A& ours, const B& theirs) {
    if (!(ours == theirs)) {
      std::ostringstream text;
      text << field << " is " << ours << ", the oracle says " << theirs;
      Note(control, text.str());
    }
  }
  std::vector<std::string>& problems() { return problems_; }
  // Pairs saved apart from their document may list the same controls in another order.
  void set_order_checked(bool checked) { order_checked_ = checked; }
  bool order_checked() const { return order_checked_; }

 private:
  std::string where_;
  std::vector<std::string> problems_;
  bool order_checked_ = true;
};

// The first reader's controls of one container against ours.
void CompareWithFirstReader(const MemoryControlList& ours, const json& theirs,
                            Comparison& comparison, const std::string& path) {
  const json& list = theirs;
  // The first reader stops reading records after a custom ActiveX control in the same
  // container; its names, types and tab indexes stay right.
  bool after_activex = false;
  size_t ours_at = 0;
  std::vector<bool> matched(ours.size(), false);
  for (const json& control : list) {
    const std::string name = Text(At(control, "name"));
    const std::string type = At(control, "type").is_string() ? Text(At(control, "type")) : "";
    if (type == "TabStrip" && At(control, "name").is_null()) continue;  // a MultiPage's own tabs
    const std::string label = path + name;
    // Controls are matched by name; the pages of a MultiPage may stand in the order of their
    // tabs, which the first reader does not apply.
    size_t at = 0;
    while (at < ours.size() && (matched[at] || Attempt([&] { return ours[at]->Name(); }) != name)) {
      ++at;
    }
    if (at == ours.size()) {
      comparison.Note(label, "is missing");
      continue;
    }
    if (at != ours_at && type != "Page" && comparison.order_checked())
      comparison.Note(label, "stands elsewhere in its container");
    matched[at] = true;
    ours_at = at + 1;
    const std::shared_ptr<MemoryControl>& mine = ours[at];
    comparison.Expect(label, "the name", Attempt([&] { return mine->Name(); }), name);
    if (type.empty()) {
      after_activex = true;
      if (IsFormsPackageType(mine->TypeName())) {
        comparison.Note(label, "is read as a " + mine->TypeName() + ", the oracle has no type");
      }
    } else {
      comparison.Expect(label, "the type", mine->TypeName(), type);
    }
    const int16_t tab_index = static_cast<int16_t>(At(control, "tabindex").get<int>());
    const std::string our_tab_index = Attempt([&] { return std::to_string(mine->TabIndex()); });
    if (our_tab_index != std::to_string(tab_index) && !(tab_index == 0 && our_tab_index == "-1")) {
      comparison.Expect(label, "the tab index", our_tab_index, std::to_string(tab_index));
    }
    if (!after_activex) {
      comparison.Expect(label, "the tag", Attempt([&] { return mine->Tag(); }),
                        Text(At(control, "tag")));
      comparison.Expect(label, "the tool tip", Attempt([&] { return mine->ControlTipText(); }),
                        Text(At(control, "control_tip_text")));
      // The first reader leaves a caption or value it could not read as null.
      if ((type == "Label" || IsButtonKind(type)) && At(control, "caption").is_string()) {
        comparison.Expect(label, "the caption",
                          Attempt([&] { return CStr(mine->Object()->Get("Caption")); }),
                          Text(At(control, "caption")));
      }
      if (IsButtonKind(type)) {
        comparison.Expect(label, "the group name",
                          Attempt([&] { return CStr(mine->Get("GroupName")); }),
                          Text(At(control, "group_name")));
      }
      if (IsMorphKind(type) && At(control, "value").is_string()) {
        const std::string value = Text(At(control, "value"));
        if (IsButtonKind(type)) {
          comparison.Expect(label, "the value",
                            Attempt([&] { return StringOf(mine->Get("Value")); }),
                            value == "1" ? std::string("True") : std::string("False"));
        } else if (type == "TextBox" || type == "ComboBox") {
          comparison.Expect(label, "the text", Attempt([&] { return CStr(mine->Get("Text")); }),
                            value);
        }
      }
    }
    const auto child = control.find("child");
    if (child != control.end() && child->is_object()) {
      CompareWithFirstReader(mine->children(), At(*child, "controls"), comparison, label + "/");
    } else if (!mine->children().empty()) {
      comparison.Note(label, "holds controls the oracle does not list");
    }
  }
  const size_t unmatched = static_cast<size_t>(std::count(matched.begin(), matched.end(), false));
  if (unmatched > 0) {
    comparison.Note(path, std::to_string(unmatched) + " controls more than the oracle");
  }
}

// The second reader's controls of one container against ours, matched by name.
void CompareWithSecondReader(const MemoryControlList& ours, const json& theirs,
                             Comparison& comparison, const std::string& path) {
  std::map<std::string, std::shared_ptr<MemoryControl>> by_name;
  for (const auto& control : ours) {
    by_name[Attempt([&] { return control->Name(); })] = control;
  }
  for (const json& control : theirs) {
    const std::string name = Text(At(control, "id"));
    const std::string kind = Text(At(control, "kind"));
    const std::string label = path + name;
    const auto found = by_name.find(name);
    if (found == by_name.end()) {
      comparison.Note(label, "is missing (second reader)");
      continue;
    }
    MemoryControl& mine = *found->second;
    // The second reader lays out the pages of a MultiPage itself.
    if (kind != "page") {
      auto expect_near = [&](const char* field, float ours_points, const json& units,
                             double points_per_unit) {
        if (!units.is_string()) return;
        const double theirs_points = std::stod(units.get<std::string>()) * points_per_unit;
        // The second reader's units drift by about a tenth of a percent far from the origin.
        if (std::fabs(ours_points - theirs_points) >
            1.5 + points_per_unit + std::fabs(theirs_points) / 1000) {
          comparison.Note(label, std::string(field) + " is " + std::to_string(ours_points) +
                                     " points, the second reader says " +
                                     std::to_string(theirs_points));
        }
      };
      try {
        expect_near("Left", mine.Left(), At(control, "left"), kPointsPerXUnit);
        expect_near("Top", mine.Top(), At(control, "top"), kPointsPerYUnit);
        expect_near("Width", mine.Width(), At(control, "width"), kPointsPerXUnit);
        expect_near("Height", mine.Height(), At(control, "height"), kPointsPerYUnit);
      } catch (const HostError& e) {
        comparison.Note(label, "has no position: " + e.description());
      }
    }
    if (kind == "button" && mine.TypeName() == "CommandButton") {
      comparison.Expect(label, "the caption",
                        Attempt([&] { return CStr(mine.Object()->Get("Caption")); }),
                        Text(At(control, "value")));
    }
    if (kind == "checkbox" || kind == "radio") {
      comparison.Expect(label, "the caption",
                        Attempt([&] { return CStr(mine.Object()->Get("Caption")); }),
                        Text(At(control, "value")));
      if (At(control, "checked").is_string()) {
        comparison.Expect(
            label, "the value", Attempt([&] { return StringOf(mine.Get("Value")); }),
            Text(At(control, "checked")) == "true" ? std::string("True") : std::string("False"));
      }
    }
    if (kind == "frame" || kind == "page") {
      comparison.Expect(label, "the caption",
                        Attempt([&] { return CStr(mine.Object()->Get("Caption")); }),
                        Text(At(control, "title")));
    }
    const auto children = control.find("controls");
    if (children != control.end()) {
      CompareWithSecondReader(mine.children(), *children, comparison, label + "/");
    }
  }
}

std::shared_ptr<MemoryUserForm> FormOf(const LoadedDescription& loaded, const std::string& name,
                                       Comparison& comparison) {
  for (const auto& component : loaded.vbe->ActiveVBProject()->VBComponents()) {
    if (component->Name() != name) continue;
    try {
      return std::dynamic_pointer_cast<MemoryUserForm>(component->Designer());
    } catch (const HostError& e) {
      comparison.Note(name, "cannot be read: " + e.description());
      return nullptr;
    }
  }
  comparison.Note(name, "is not a component");
  return nullptr;
}

struct CorpusDocument {
  fs::path document;
  json first;   // the first reader's whole answer
  json second;  // the second reader's, or null
};

std::vector<CorpusDocument> CorpusDocuments() {
  std::vector<CorpusDocument> documents;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "oracle")) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".lo.json") || !name.ends_with(".json")) continue;
    const fs::path relative = fs::relative(entry.path(), kCorpus / "oracle");
    CorpusDocument document;
    document.document =
        kCorpus / "files" / relative.parent_path() / relative.filename().replace_extension("");
    document.first = json::parse(std::ifstream(entry.path()));
    fs::path second = entry.path();
    second.replace_extension(".lo.json");
    if (fs::exists(second)) document.second = json::parse(std::ifstream(second));
    documents.push_back(std::move(document));
  }
  std::sort(documents.begin(), documents.end(),
            [](const auto& a, const auto& b) { return a.document < b.document; });
  return documents;
}

// Both readers' views of one form against the form read from `loaded`.
void CompareForm(const LoadedDescription& loaded, const std::string& module, const json& first_form,
                 const json& second_dialogs, Comparison& comparison) {
  const std::shared_ptr<MemoryUserForm> form = FormOf(loaded, module, comparison);
  if (form == nullptr) return;
  CompareWithFirstReader(form->children(), At(first_form, "controls"), comparison, module + "/");
  if (second_dialogs.is_object() && second_dialogs.contains(module)) {
    CompareWithSecondReader(form->children(), At(second_dialogs[module], "controls"), comparison,
                            module + "/");
  }
}

std::string Report(std::vector<std::string>& problems) {
  std::string report;
  const size_t shown = std::min<size_t>(problems.size(), 300);
  for (size_t i = 0; i < shown; ++i) report += problems[i] + "\n";
  if (shown < problems.size())
    report += "... and " + std::to_string(problems.size() - shown) + " more\n";
  return report;
}

TEST(FormOracleTest, EveryFormOfEveryDocumentAgreesWithBothReaders) {
  std::vector<std::string> problems;
  size_t forms = 0;
  for (const CorpusDocument& document : CorpusDocuments()) {
    Comparison comparison(fs::relative(document.document, kCorpus).string());
    const LoadedDescription loaded = OpenDocument(document.document.string());
    const json dialogs = document.second.is_object() ? At(document.second, "dialogs") : json();
    for (const json& container : At(document.first, "containers")) {
      for (const json& form : At(container, "forms")) {
        ++forms;
        CompareForm(loaded, Text(At(form, "module")), form, dialogs, comparison);
      }
    }
    problems.insert(problems.end(), comparison.problems().begin(), comparison.problems().end());
  }
  EXPECT_EQ(forms, 184u);
  EXPECT_TRUE(problems.empty()) << problems.size() << " disagreements:\n" << Report(problems);
}

// The exported pairs saved together with a document of the corpus: the document's oracle holds
// for them too.
TEST(FormOracleTest, EveryExportedPairSavedWithItsDocumentAgreesWithTheReaders) {
  std::vector<std::string> problems;
  size_t pairs = 0;
  std::map<fs::path, const CorpusDocument*> by_document;
  const std::vector<CorpusDocument> documents = CorpusDocuments();
  for (const CorpusDocument& document : documents) by_document[document.document] = &document;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "exports")) {
    if (entry.path().extension() != ".frm") continue;
    const std::string module = entry.path().stem().string();
    bool found = false;
    for (const fs::path& path : DocumentsOfExport(kCorpus, entry.path())) {
      const auto document = by_document.find(path);
      if (document == by_document.end() || found) continue;
      for (const json& container : At(document->second->first, "containers")) {
        for (const json& form : At(container, "forms")) {
          if (Text(At(form, "module")) != module || found) continue;
          found = true;
          const uint32_t code_page = At(At(container, "projects")[0], "codepage").get<uint32_t>();
          Comparison comparison(fs::relative(entry.path(), kCorpus).string());
          comparison.set_order_checked(false);
          const LoadedDescription loaded = OpenExportedForms(entry.path().string(), code_page);
          CompareForm(loaded, module, form, At(document->second->second, "dialogs"), comparison);
          problems.insert(problems.end(), comparison.problems().begin(),
                          comparison.problems().end());
          ++pairs;
        }
      }
    }
  }
  EXPECT_GT(pairs, 100u);
  EXPECT_TRUE(problems.empty()) << problems.size() << " disagreements:\n" << Report(problems);
}

}  // namespace
}  // namespace tovalin::testing
