#include "host/win32/dispatch_editor.h"

#include "host/win32/dispatch_command_bars.h"
#include "host/win32/dispatch_object_model.h"
#include "host/win32/editor_objects.h"

namespace tovalin::win32 {
namespace {

std::shared_ptr<EditorObjects> ObjectsOf(const std::shared_ptr<Vbe>& editor) {
  if (const auto* holder = dynamic_cast<const DispatchHolder*>(editor.get())) {
    return holder->editor_objects();
  }
  return EditorObjects::Create();
}

}  // namespace

std::shared_ptr<Vbe> WrapEditor(IDispatch* vbe) {
  if (vbe == nullptr) return nullptr;
  return WrapVbe(EditorObjects::Create(), vbe);
}

std::shared_ptr<CommandBarControl> WrapCommandBarControl(const std::shared_ptr<Vbe>& editor,
                                                         IDispatch* control) {
  if (control == nullptr) return nullptr;
  return WrapCommandBarControl(*ObjectsOf(editor), control);
}

std::shared_ptr<CommandBarEvents> WrapCommandBarEvents(const std::shared_ptr<Vbe>& editor,
                                                       IDispatch* events) {
  if (events == nullptr) return nullptr;
  return WrapCommandBarEvents(ObjectsOf(editor), events);
}

}  // namespace tovalin::win32
