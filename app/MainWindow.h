// The main window's class and window procedure: notifications handed back to the controls that
// sent them, colours asked of the controls, the focus rule, closing.
#pragma once

#include <windows.h>

#include "ui/WindowDefinition.h"

// Creates the main window hidden, centred on the primary screen, at exactly its outer size.
HWND CreateMainWindow(const WindowDefinition& definition);
