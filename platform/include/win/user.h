// USER: windows, messages, input, painting, and the message box.
#pragma once

#include "base.h"

#define MB_OK 0x00000000L
#define MB_ICONERROR 0x00000010L
#define MB_ICONHAND MB_ICONERROR
#define MB_ICONWARNING 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define MB_TASKMODAL 0x00002000L
#define IDOK 1
#define IDCANCEL 2

// A modal message box with an OK button. Returns IDOK once the user dismissed it.
int WINAPI MessageBoxA(HWND hwnd, LPCSTR text, LPCSTR caption, UINT type);
