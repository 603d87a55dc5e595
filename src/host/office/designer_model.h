// Turns decoded designer records into the editor's object model: each control gets the TypeName
// the editor reports and exactly the properties its type has in the forms package, typed as the
// object model types them, so that a read by name of a property the type lacks fails with 438.
// Positions and sizes become points through whole twips, as the editor reports them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/memory/memory_model.h"
#include "host/office/designer_records.h"
#include "host/office/vba_project.h"

namespace tovalin {

// What a site holds, from its class cache index or, for an index into the class table, the CLSID.
enum class SiteKind {
  kCommandButton,
  kLabel,
  kMorphData,  // TextBox, ListBox, ComboBox, CheckBox, OptionButton, ToggleButton
  kImage,
  kScrollBar,
  kSpinButton,
  kTabStrip,
  kFrame,      // own storage
  kPage,       // own storage, inside a MultiPage
  kMultiPage,  // own storage
  kActiveX,    // a class-table CLSID that is not part of the forms package
  kInvalid,    // an index that names nothing
};
// The kind of `site`. Indexes from 0x8000 name an entry of `class_table`, which must be the
// form's own class table: the "f" streams of Frames, MultiPages and Pages save none (their
// BooleanProperties carry 0x8000) and their sites index the form's. A CLSID of the forms package
// gives its kind, any other CLSID kActiveX; for kActiveX, `clsid` receives the CLSID.
SiteKind KindOfSite(const SiteRecord& site, const std::vector<Guid>& class_table,
                    Guid* clsid = nullptr);
// True for the kinds whose record is a storage of their own (no "o" stream record).
bool IsStorageKind(SiteKind kind);

// A control of another library: only its CLSID, and its size where its own data gives one
// (PersistedExtent in activex_controls.h reads the common layout).
struct ActiveXRecord {
  Guid clsid{};
  std::optional<HimetricSize> size{};  // absent: Width and Height fail, naming the control
};
// A MultiPage: its own container record and the TabStrip record inside its storage (captions of
// its pages, the active page, the tab style).
struct MultiPageRecord {
  ContainerRecord container;
  TabStripRecord tab_strip;
};
// A Page: its container record, and its caption and accelerator from the MultiPage's TabStrip.
struct PageRecord {
  ContainerRecord container;
  std::string caption;
  int32_t index = 0;
  std::string accelerator{};  // the TabStrip's Accelerators entry; "" for none
};
// A record that could not be read: the control keeps the site's extenders, and its Width,
// Height and every property of its kind fail with error 57 and this description, which names
// the control and the cause.
struct DamagedRecord {
  SiteKind kind = SiteKind::kInvalid;
  std::string description;
};
using ControlRecord =
    std::variant<CommandButtonRecord, LabelRecord, MorphDataRecord, ImageRecord, ScrollBarRecord,
                 SpinButtonRecord, TabStripRecord, ContainerRecord /* a Frame */, MultiPageRecord,
                 PageRecord, ActiveXRecord, DamagedRecord>;

// True for the TypeNames of the forms package's own controls ("CommandButton", "Page", ...).
bool IsFormsPackageType(std::string_view type_name);

// Points for a HIMETRIC length, through whole twips: round(h * 1440 / 2540) / 20.
float PointsOfHimetric(int32_t himetric);

// A control with the site's extenders and the record's properties. Children are not added.
// A negative TabIndex (the file default -1, when the site stores none) is reported as 0: the
// editor never reports a negative tab index.
std::shared_ptr<MemoryControl> MakeControl(const SiteRecord& site, const ControlRecord& record);

// Sets the form's colours, font and inside size from its container record; the inside size comes
// from the \x03VBFrame client size (twips / 20) where it gives one, else from DisplayedSize.
void FillUserForm(MemoryUserForm& form, const ContainerRecord& record, const VbFrameInfo& frame);

}  // namespace tovalin
