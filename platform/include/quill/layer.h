// The layer's own controls, outside the platform's API: choosing the driver, resetting state
// between tests, and counting live objects so tests can prove nothing leaks.
#pragma once

#include <cstddef>
#include <memory>

namespace quill {

class Driver;

// Installs the driver the layer talks to, before any window is made. Nothing is chosen by default:
// the program installs the SDL driver, tests and benchmarks install the headless one.
void SetDriver(std::unique_ptr<Driver> driver);
Driver* GetDriver();

// Destroys every window, device context, GDI object, icon and open file, then the driver:
// a clean slate for the next test.
void ResetLayer();

struct LiveObjects {
  size_t windows = 0;
  size_t dcs = 0;
  size_t gdiObjects = 0;  // brushes, bitmaps, fonts, palettes created by the program (stock objects excluded)
  size_t icons = 0;
  size_t files = 0;
};
LiveObjects CountLiveObjects();

}  // namespace quill
