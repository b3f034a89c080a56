// A snapshot of what a window shows on the screen, as the bytes of a 24-bit BMP file.
#pragma once

#include <windows.h>

#include "ui/ImageBytes.h"

// The current on-screen image of the window's whole rectangle (frame included), never scaled;
// empty when nothing could be captured.
ImageBytes CaptureWindowImage(HWND window);
