// The count of the fake editor's COM objects alive in this process, so that tests can check that
// the add-in releases every object it was given.
#pragma once

namespace tovalin::fake {

// A member of every COM object of the fake editor: counts it while it lives.
class LiveObject {
 public:
  LiveObject();
  ~LiveObject();
  LiveObject(const LiveObject&) = delete;
  LiveObject& operator=(const LiveObject&) = delete;
};

long LiveObjectCountNow();

}  // namespace tovalin::fake
