#include "controls/StandardClasses.h"

#include "controls/ButtonControl.h"
#include "controls/EditControl.h"

namespace quill::controls {

void EnsureStandardClasses() {
  RegisterButtonClass();
  RegisterEditClass();
}

}  // namespace quill::controls
