#include "controls/StandardClasses.h"

#include "controls/ButtonControl.h"
// MERGE: enable with the EDIT control.
// #include "controls/EditControl.h"

namespace quill::controls {

void EnsureStandardClasses() {
  RegisterButtonClass();
  // MERGE: enable with the EDIT control.
  // RegisterEditClass();
}

}  // namespace quill::controls
