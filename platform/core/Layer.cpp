#include "core/Layer.h"

#include <algorithm>
#include <vector>

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

}  // namespace

void RegisterModule(const LayerModule* module) {
  auto& mods = State().modules;
  if (std::find(mods.begin(), mods.end(), module) == mods.end()) mods.push_back(module);
}

Driver* CurrentDriver() { return State().driver.get(); }

void SetDriver(std::unique_ptr<Driver> driver) { State().driver = std::move(driver); }

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
