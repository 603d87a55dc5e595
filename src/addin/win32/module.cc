#include "addin/win32/module.h"

#include <atomic>

#include "host/win32/command_bar_event_sink.h"

namespace tovalin::win32 {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

// Paths are allowed beyond MAX_PATH; this bounds the buffer's growth.
constexpr DWORD kMaxPathChars = 32768;

}  // namespace

HINSTANCE ModuleInstance() { return g_instance; }

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameW(g_instance, path.data(), size);
    if (length == 0) return {};
    // A result that fills the buffer may be truncated: retry with a bigger one.
    if (length < size) {
      path.resize(length);
      return path;
    }
    if (size >= kMaxPathChars) return {};
    path.resize(size * 2);
  }
}

void ModuleAddRef() { ++g_objects; }
void ModuleRelease() { --g_objects; }

void ModuleLock() { ++g_locks; }

void ModuleUnlock() {
  // A caller's unmatched unlock must not cancel another's lock or an object's count.
  long locks = g_locks.load();
  while (locks > 0 && !g_locks.compare_exchange_weak(locks, locks - 1)) {
  }
}

bool ModuleInUse() {
  // The event sinks count too: an event source may keep its sink after the add-in object is
  // gone, and releases it later by calling into this module.
  return g_objects.load() > 0 || g_locks.load() > 0 || LiveCommandBarEventSinks() > 0;
}

}  // namespace tovalin::win32

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    tovalin::win32::g_instance = instance;
    // No thread notifications are needed; skipping them saves a call per thread.
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
