#include "core/Layer.h"

#include <algorithm>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quill {

namespace {

struct LayerState {
  std::unique_ptr<Driver> driver;
  std::vector<const LayerModule*> modules;
};

LayerState& State() {
  static LayerState state;
  return state;
}

// The platform's process heap keeps the blocks a program frees for its next allocations. The C
// library instead hands large blocks (a window capture is 0.5 to 0.8 MB, and a Preview makes
// several) back to the system at once, so every capture had to fault its memory in again page by
// page, which took most of its time. Keeping them brings the heap's behaviour in line; the peak
// memory stays what it was.
void KeepFreedMemoryForReuse() {
#if defined(__GLIBC__)
  static const bool done = [] {
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
    return true;
  }();
  (void)done;
#endif
}

}  // namespace

void RegisterModule(const LayerModule* module) {
  auto& mods = State().modules;
  if (std::find(mods.begin(), mods.end(), module) == mods.end()) mods.push_back(module);
}

Driver* CurrentDriver() { return State().driver.get(); }

void SetDriver(std::unique_ptr<Driver> driver) {
  KeepFreedMemoryForReuse();
  State().driver = std::move(driver);
}

Driver* GetDriver() { return CurrentDriver(); }

void ResetLayer() {
  // Windows first (they own DCs and send messages), then drawing objects, then files.
  auto mods = State().modules;
  for (const LayerModule* m : mods) m->reset();
  State().driver.reset();
}

LiveObjects CountLiveObjects() {
  LiveObjects live;
  for (const LayerModule* m : State().modules) m->count(live);
  return live;
}

}  // namespace quill
