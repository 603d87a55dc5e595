// The walk over a Frame: its own block, its direct children (child Frames recursively), its End.
#include "engine/export_class.h"
#include "host/error_state.h"
#include "host/host_error.h"

namespace tovalin {

void ExportClass::ExportFrame(const std::shared_ptr<Control>& Container, int32_t Level) {
  ErrorState& err = runtime_.err;
  err.Clear();
  // Reads that keep failing write a control once in every Frame around it; nested deep, that
  // doubles per level. Once the file has reached its size limit nothing more is walked.
  if (OutputLimitReached()) return;
  ExportControl(Container, Level, true);

  ControlList controls;
  RunStep(err, [&] {
    if (Container == nullptr) throw HostError(kErrObjectNotSet);
    controls = Container->Controls();
  });
  for (const std::shared_ptr<Control>& child : controls) {
    // The collection lists nested controls too; only those whose parent is this Frame belong
    // here. A belonging test that fails writes the control here.
    RunGuardedStep(
        err,
        [&] {
          if (child == nullptr) throw HostError(kErrObjectNotSet);
          const ObjectRef parent_object = CObj(GetProperty(child->Parent(), "Object"));
          const ObjectRef own_object = CObj(GetProperty(Container, "Object"));
          return parent_object == own_object;
        },
        [&] {
          if (TypeName(child) == "Frame") {
            ExportFrame(child, Level + 1);
          } else {
            ExportControl(child, Level + 1, false);
          }
        });
  }
  RunStep(err, [&] { WriteLine(std::string(3 * static_cast<size_t>(Level), ' ') + "End"); });
}

}  // namespace tovalin
