#include "host/office/designer_storage.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/memory/message_text.h"
#include "host/office/activex_controls.h"
#include "host/office/designer_model.h"
#include "host/office/designer_records.h"
#include "host/office/format_error.h"

namespace tovalin {
namespace {

using EntryId = CompoundFile::EntryId;
// Receives each control a container's walk creates: the form's or a container's AddChild.
using AddControl = std::function<void(std::shared_ptr<MemoryControl>)>;

// Reads the containers below one designer storage. Every container is a storage of its own,
// read once; the depth of storages is bounded, so the recursion is too.
class DesignerWalk {
 public:
  DesignerWalk(const CompoundFile& file, uint32_t code_page) : file_(file), code_page_(code_page) {}

  // Frames, MultiPages and Pages keep no class table: their sites index the form's.
  void SetClassTable(std::vector<Guid> class_table) { class_table_ = std::move(class_table); }

  // The "f" stream of `storage`, decoded. Throws FormatError when it is missing or damaged.
  ContainerRecord ReadContainer(EntryId storage) const {
    const std::optional<EntryId> f = ChildStream(storage, "f");
    if (!f) throw FormatError("the \"f\" stream is missing", Where(storage), 0);
    return DecodeContainerStream(file_.ReadStream(*f), Where(*f), code_page_);
  }

  // Adds the controls of `record` (whose storage is `storage`) to `add`, a function taking each
  // new control. `depth` counts the storages above `storage` below the form.
  void AddChildren(EntryId storage, const ContainerRecord& record, int depth,
                   const AddControl& add) const {
    const std::optional<EntryId> o = ChildStream(storage, "o");
    std::vector<uint8_t> o_bytes;
    std::optional<std::string> o_failure;
    if (o) {
      try {
        o_bytes = file_.ReadStream(*o);
      } catch (const FormatError& e) {
        o_failure = e.what();
      }
    }
    const std::string o_where = o ? Where(*o) : Where(storage) + "/o";
    size_t o_offset = 0;
    for (const SiteRecord& site : record.sites) {
      Guid clsid{};
      const SiteKind kind = KindOfSite(site, class_table_, &clsid);
      if (IsStorageKind(kind)) {
        AddContainer(storage, site, kind, depth, add);
        continue;
      }
      if (!site.streamed()) {
        // A control that keeps its data in a storage of its own: only ActiveX controls do.
        if (kind == SiteKind::kActiveX) {
          add(MakeControl(site, ActiveXRecord{clsid}));
        } else {
          add(MakeControl(site,
                          Damaged(kind, site, "is not marked as stored in the \"o\" stream")));
        }
        continue;
      }
      // The site's slice of the "o" stream; the next one starts after it whatever happens.
      const size_t begin = o_offset;
      const size_t size = site.object_stream_size;
      o_offset =
          size > o_bytes.size() - std::min(begin, o_bytes.size()) ? o_bytes.size() : begin + size;
      if (o_failure) {
        add(MakeControl(site, Damaged(kind, site, "cannot be read: " + *o_failure)));
        continue;
      }
      if (!o) {
        add(MakeControl(site, Damaged(kind, site, "cannot be read: the \"o\" stream is missing")));
        continue;
      }
      if (begin + size > o_bytes.size()) {
        add(MakeControl(
            site, Damaged(kind, site,
                          "runs past the end of " + o_where + ": " + std::to_string(size) +
                              " bytes at offset " + std::to_string(begin) + ", the stream has " +
                              std::to_string(o_bytes.size()))));
        continue;
      }
      const std::span<const uint8_t> slice(o_bytes.data() + begin, size);
      add(MakeControl(site, DecodeStreamed(kind, clsid, site, slice, o_where, begin)));
    }
  }

 private:
  // For a Page: its caption (from the MultiPage's tabs) and its index among the pages.
  struct PagePlace {
    std::string caption;
    std::string accelerator;
    int32_t index = 0;
  };

  void AddContainer(EntryId parent, const SiteRecord& site, SiteKind kind, int depth,
                    const AddControl& add, const PagePlace* place = nullptr) const {
    std::optional<EntryId> storage;
    std::string problem;
    if (site.streamed()) {
      problem = "is marked as stored in the \"o\" stream, but its kind keeps a storage of its own";
    } else if (depth + 1 > kMaxDesignerDepth) {
      problem = "is nested deeper than " + std::to_string(kMaxDesignerDepth) + " containers";
    } else {
      storage = ChildStorage(parent, site.id);
      if (!storage) {
        problem = "has no storage " + Where(parent) + "/" + StorageNameOf(site.id);
      }
    }
    if (!storage) {
      add(MakeControl(site, Damaged(kind, site, problem)));
      return;
    }
    // Everything the container's storage holds is read before its control is added, so that
    // a failure gives one damaged control and nothing else.
    std::optional<ContainerRecord> record;
    std::optional<MultiPageContents> multi_page;
    try {
      record = ReadContainer(*storage);
      if (kind == SiteKind::kMultiPage) multi_page = ReadMultiPage(*storage, std::move(*record));
    } catch (const FormatError& e) {
      add(MakeControl(site, Damaged(kind, site, "cannot be read: " + std::string(e.what()))));
      return;
    }
    if (multi_page) {
      std::shared_ptr<MemoryControl> control = MakeControl(site, multi_page->record);
      add(control);
      const std::vector<std::string>& captions = multi_page->record.tab_strip.items;
      for (size_t index = 0; index < multi_page->pages.size(); ++index) {
        const std::vector<std::string>& accelerators = multi_page->record.tab_strip.accelerators;
        const PagePlace page_place{
            index < captions.size() ? captions[index] : std::string(),
            index < accelerators.size() ? accelerators[index] : std::string(),
            static_cast<int32_t>(index)};
        AddContainer(
            *storage, multi_page->pages[index], SiteKind::kPage, depth + 1,
            [&](std::shared_ptr<MemoryControl> page) { control->AddChild(page); }, &page_place);
      }
      return;
    }
    std::shared_ptr<MemoryControl> container = MakeControl(
        site, kind == SiteKind::kPage
                  ? ControlRecord(PageRecord{*record, place ? place->caption : std::string(),
                                             place ? place->index : 0})
                  : ControlRecord(*record));
    add(container);
    AddChildren(*storage, *record, depth + 1,
                [&](std::shared_ptr<MemoryControl> child) { container->AddChild(child); });
  }

  struct MultiPageContents {
    MultiPageRecord record;
    std::vector<SiteRecord> pages;  // in the order of the tabs
  };

  // A MultiPage's storage holds a TabStrip (the tabs: captions, the active page, the style) and
  // one Page per tab, each a storage of its own; its "x" stream gives the order of the pages.
  MultiPageContents ReadMultiPage(EntryId storage, ContainerRecord record) const {
    MultiPageContents contents;
    const SiteRecord* tab_strip_site = nullptr;
    size_t tab_strip_offset = 0;
    size_t o_offset = 0;
    for (const SiteRecord& child : record.sites) {
      const SiteKind kind = KindOfSite(child, class_table_);
      if (kind == SiteKind::kPage) {
        contents.pages.push_back(child);
      } else if (child.streamed()) {
        if (kind == SiteKind::kTabStrip && tab_strip_site == nullptr) {
          tab_strip_site = &child;
          tab_strip_offset = o_offset;
        }
        o_offset += child.object_stream_size;
      }
    }
    if (tab_strip_site != nullptr) {
      const std::optional<EntryId> o = ChildStream(storage, "o");
      if (!o) throw FormatError("the \"o\" stream is missing", Where(storage), 0);
      const std::vector<uint8_t> o_bytes = file_.ReadStream(*o);
      const size_t size = tab_strip_site->object_stream_size;
      if (tab_strip_offset > o_bytes.size() || size > o_bytes.size() - tab_strip_offset) {
        throw FormatError("the tab strip's record runs past the end of the stream", Where(*o),
                          tab_strip_offset);
      }
      contents.record.tab_strip =
          DecodeTabStrip(std::span<const uint8_t>(o_bytes.data() + tab_strip_offset, size),
                         Where(*o), tab_strip_offset);
    }
    if (const std::optional<EntryId> x = ChildStream(storage, "x")) {
      const MultiPageLayout layout =
          DecodeMultiPageStream(file_.ReadStream(*x), contents.pages.size(), Where(*x));
      contents.pages = InLayoutOrder(std::move(contents.pages), layout);
    }
    contents.record.container = std::move(record);
    return contents;
  }

  // The pages in the order of the layout's IDs when the layout names each page once; otherwise
  // in site order.
  static std::vector<SiteRecord> InLayoutOrder(std::vector<SiteRecord> pages,
                                               const MultiPageLayout& layout) {
    if (layout.page_ids.size() != pages.size()) return pages;
    std::vector<SiteRecord> ordered;
    std::vector<bool> taken(pages.size(), false);
    for (int32_t id : layout.page_ids) {
      size_t at = 0;
      while (at < pages.size() && (taken[at] || pages[at].id != id)) ++at;
      if (at == pages.size()) return pages;
      taken[at] = true;
      ordered.push_back(pages[at]);
    }
    return ordered;
  }

  ControlRecord DecodeStreamed(SiteKind kind, const Guid& clsid, const SiteRecord& site,
                               std::span<const uint8_t> slice, const std::string& where,
                               size_t offset) const {
    try {
      switch (kind) {
        case SiteKind::kCommandButton:
          return DecodeCommandButton(slice, where, offset);
        case SiteKind::kLabel:
          return DecodeLabel(slice, where, offset);
        case SiteKind::kMorphData:
          return DecodeMorphData(slice, where, offset);
        case SiteKind::kImage:
          return DecodeImage(slice, where, offset);
        case SiteKind::kScrollBar:
          return DecodeScrollBar(slice, where, offset);
        case SiteKind::kSpinButton:
          return DecodeSpinButton(slice, where, offset);
        case SiteKind::kTabStrip:
          return DecodeTabStrip(slice, where, offset);
        case SiteKind::kActiveX:
          return ActiveXRecordOf(clsid, slice, where, offset);
        case SiteKind::kInvalid:
          return Damaged(kind, site,
                         "has the class index " + std::to_string(site.clsid_cache_index) +
                             ", which names no control class");
        case SiteKind::kFrame:
        case SiteKind::kPage:
        case SiteKind::kMultiPage:
          break;
      }
    } catch (const FormatError& e) {
      return Damaged(kind, site, "cannot be read: " + std::string(e.what()));
    }
    return Damaged(kind, site, "keeps a storage of its own");
  }

  // A control from outside the forms package: its size where its data keeps it in a layout this
  // program knows (most libraries' common one; RefEdit's is a text box record).
  static ActiveXRecord ActiveXRecordOf(const Guid& clsid, std::span<const uint8_t> slice,
                                       const std::string& where, size_t offset) {
    ActiveXRecord record{clsid, PersistedExtent(slice)};
    const KnownActiveXControl* known = FindActiveXControl(clsid);
    if (!record.size && known != nullptr && known->type_name == "RefEdit") {
      try {
        record.size = DecodeMorphData(slice, where, offset).size;
      } catch (const FormatError&) {
        // the size stays unknown, and reading it fails
      }
    }
    return record;
  }

  // The control "CommandButton1" and what is wrong with it.
  static DamagedRecord Damaged(SiteKind kind, const SiteRecord& site, const std::string& what) {
    return DamagedRecord{kind, "The control " + QuotedForMessage(site.name) + " " + what};
  }

  // "i05", "i12", "i123": the storage of the container with that site ID.
  static std::string StorageNameOf(int32_t id) {
    char name[16];
    std::snprintf(name, sizeof name, "i%02d", id);
    return name;
  }

  std::optional<EntryId> ChildStorage(EntryId parent, int32_t id) const {
    const std::optional<EntryId> child = file_.Find(parent, StorageNameOf(id));
    if (!child || file_.entry(*child).type != CompoundFile::EntryType::kStorage) {
      return std::nullopt;
    }
    return child;
  }

  std::optional<EntryId> ChildStream(EntryId storage, std::string_view name) const {
    const std::optional<EntryId> child = file_.Find(storage, name);
    if (!child || file_.entry(*child).type != CompoundFile::EntryType::kStream) {
      return std::nullopt;
    }
    return child;
  }

  std::string Where(EntryId id) const {
    const std::string path = file_.PathOf(id);
    return path.empty() ? file_.name() : file_.name() + "/" + path;
  }

  const CompoundFile& file_;
  uint32_t code_page_;  // of font names, which some containers store as bytes
  std::vector<Guid> class_table_;
};

}  // namespace

std::shared_ptr<MemoryUserForm> ReadDesigner(const CompoundFile& file, EntryId storage,
                                             const VbFrameInfo& frame, uint32_t code_page) {
  DesignerWalk walk(file, code_page);
  const ContainerRecord record = walk.ReadContainer(storage);
  walk.SetClassTable(record.class_table);
  auto form = std::make_shared<MemoryUserForm>();
  FillUserForm(*form, record, frame);
  walk.AddChildren(storage, record, 0,
                   [&](std::shared_ptr<MemoryControl> control) { form->AddControl(control); });
  return form;
}

}  // namespace tovalin
