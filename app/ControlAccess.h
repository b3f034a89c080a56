// How handlers reach the window's controls: by name, reading and writing their settings. Every
// value read is a fresh copy the handler releases; every write has taken effect (repaint
// included) when it returns.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/ImageBytes.h"

// The control's text, from the shared allocator (release with FreeBlock); empty when there is
// no control of that name.
char* ReadControlText(const char* name);
void WriteControlText(const char* name, const char* text);

HWND ControlWindow(const char* name);
HWND MainWindowHandle();

ImageBytes ReadPicture(const char* name);
void WritePicture(const char* name, const ImageBytes& picture);

void WriteMaxLength(const char* name, int32_t length);

// Repaints the window's pending invalid areas at once.
void RefreshWindow(HWND window);
