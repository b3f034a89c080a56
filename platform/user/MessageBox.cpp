#include <cstdio>

#include "core/Layer.h"
#include "kernel/CodePage.h"
#include "windows.h"

int WINAPI MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  std::string title = quill::cp936::ToUtf8(caption ? caption : "Error");
  std::string body = quill::cp936::ToUtf8(text ? text : "");
  if (quill::Driver* driver = quill::CurrentDriver()) {
    driver->ShowMessageBox(title, body, type);
  } else {
    // Without a driver there is no desktop to show the box on; standard error still tells.
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
  }
  return IDOK;
}
