// The process entry on Linux: installs the SDL driver and hands over to the program's WinMain,
// so that the program itself stays free of anything Linux-specific.
#include <memory>
#include <string>

#include "drivers/sdl/SdlDriver.h"
#include "quill/entry.h"
#include "quill/layer.h"

int main(int argc, char** argv) {
  quill::SetDriver(std::make_unique<quill::SdlDriver>());
  // The command line as the platform hands it over: the arguments after the program's name.
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return WinMain(quill::MainInstance(), nullptr, commandLine.data(), quill::kShowNormal);
}
