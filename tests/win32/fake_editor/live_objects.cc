#include "live_objects.h"

#include <atomic>

namespace tovalin::fake {
namespace {

std::atomic<long> live_objects{0};

}  // namespace

LiveObject::LiveObject() { ++live_objects; }
LiveObject::~LiveObject() { --live_objects; }

long LiveObjectCountNow() { return live_objects.load(); }

}  // namespace tovalin::fake
