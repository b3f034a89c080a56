// Misuse of paired calls (EndPaint without BeginPaint, ReleaseDC of a DC that GetDC did not give,
// DeleteDC of a window DC) is reported on standard error with what went wrong; the call then fails
// with the platform's failure result, as a stale handle does, instead of ending the process.
#pragma once

namespace quill {

void ReportMisuse(const char* what);

}  // namespace quill
