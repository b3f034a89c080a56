// Process-wide bookkeeping of the layer: the installed driver, and the modules (user, gdi, kernel)
// that hold objects behind handles, so a test can reset them all and count what is still alive.
#pragma once

#include "drivers/Driver.h"
#include "quill/layer.h"

namespace quill {

struct LayerModule {
  const char* name;
  void (*reset)();                   // destroys everything the module holds
  void (*count)(LiveObjects& into);  // adds the module's live objects
};

// Called by a module when its state is first created. Registering twice is harmless.
void RegisterModule(const LayerModule* module);

// The installed driver; nullptr before SetDriver.
Driver* CurrentDriver();

}  // namespace quill
