#include "fake_editor.h"

#include <atomic>

#include "live_objects.h"
#include "project_views.h"
#include "view_registry.h"

namespace tovalin::fake {
namespace {

std::atomic<HRESULT> last_click_result{S_OK};

}  // namespace

IDispatch* NewFakeEditor(std::shared_ptr<MemoryVbe> vbe) {
  auto views = std::make_shared<ViewRegistry>(vbe);
  return views->ViewFor<VbeView>(std::move(vbe)).Detach();
}

long LiveObjectCount() { return LiveObjectCountNow(); }

HRESULT LastClickResult() { return last_click_result.load(); }
void RecordClickResult(HRESULT result) { last_click_result.store(result); }

HRESULT ScodeOfErrorNumber(int32_t number) {
  if (number >= 0 && number <= 0xFFFF) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<uint32_t>(number));
  }
  return static_cast<HRESULT>(number);
}

}  // namespace tovalin::fake
