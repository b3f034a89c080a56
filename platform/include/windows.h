// The window system as this program sees it: the calls, types and constants of the platform,
// declared under their platform names and implemented by the layer in platform/.
#pragma once

#include "win/base.h"
#include "win/kernel.h"
#include "win/gdi.h"
#include "win/user.h"
#include "win/text.h"
#include "win/controls.h"
