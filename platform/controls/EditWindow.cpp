// Sections: [helpers] [dispatch] [text and selection messages] [keyboard] [mouse] [commands]
//           [focus and caret] [painting] [after an action]
#include "controls/EditWindow.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/Layer.h"
#include "kernel/CodePage.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace quill::controls {

// [helpers] --------------------------------------------------------------------------------------

namespace {

constexpr UINT_PTR kBlinkTimer = 1;
constexpr UINT kBlinkMs = 530;

// A client-area DC with the edit's font selected, for measuring outside WM_PAINT.
class MeasuringDc {
 public:
  MeasuringDc(HWND hwnd, HFONT font) : hwnd_(hwnd), dc_(GetDC(hwnd)) {
    if (dc_ && font) oldFont_ = SelectObject(dc_, font);
  }
  ~MeasuringDc() {
    if (!dc_) return;
    if (oldFont_) SelectObject(dc_, oldFont_);
    ReleaseDC(hwnd_, dc_);
  }
  MeasuringDc(const MeasuringDc&) = delete;
  MeasuringDc& operator=(const MeasuringDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
};

std::string ClipboardText() {
  Driver* driver = CurrentDriver();
  return driver ? driver->GetClipboardText() : std::string();
}

}  // namespace

bool EditWindow::ReadOnly() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }

int EditWindow::ClientWidth() const {
  RECT client{0, 0, 0, 0};
  GetClientRect(hwnd_, &client);
  return client.right - client.left;
}

void EditWindow::Invalidate() const { InvalidateRect(hwnd_, nullptr, FALSE); }

// [dispatch] -------------------------------------------------------------------------------------

LRESULT EditWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_NCDESTROY:
      OnDestroy();
      break;

    case WM_SETTEXT:
      return OnSetText(reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT:
      return OnGetText(wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(model_.Text().size());
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);

    case EM_SETSEL:
      return OnSetSel(static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
    case EM_GETSEL:
      return OnGetSel(reinterpret_cast<DWORD*>(wParam), reinterpret_cast<DWORD*>(lParam));
    case EM_SCROLLCARET:
      ScrollCaretIntoView();
      Invalidate();
      return TRUE;
    case EM_REPLACESEL:
      AfterEdit(model_.ReplaceSelection(lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0));
      return 0;
    case EM_LIMITTEXT:
      model_.SetLimit(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(model_.Limit());
    case EM_CANUNDO:
      return model_.CanUndo();
    case EM_UNDO:
    case WM_UNDO:
      Undo();
      return TRUE;  // a single-line edit always reports success
    case EM_EMPTYUNDOBUFFER:
      model_.EmptyUndo();
      return 0;
    case EM_GETMODIFY:
      return model_.Modified();
    case EM_SETMODIFY:
      model_.SetModified(wParam != 0);
      return 0;
    case EM_SETREADONLY: {
      const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
      SetWindowLongA(hwnd_, GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~ES_READONLY));
      Invalidate();
      return TRUE;
    }
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      Clear();
      return 0;

    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_CHAR:
      OnChar(static_cast<unsigned>(wParam & 0xFF));
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wParam))) return 0;
      break;

    case WM_LBUTTONDOWN:
      OnButtonDown(GET_X_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnMouseMove(GET_X_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        if (GetCapture() == hwnd_) ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(GET_X_LPARAM(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      return 0;
    case WM_RBUTTONUP: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd_, &at);
      ShowContextMenu(at);
      return 0;
    }
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) {  // from the keyboard: under the caret
        MeasuringDc dc(hwnd_, font_);
        at = POINT{std::max(view_.CaretX(dc.get(), model_, ClientWidth()), 0), 0};
        ClientToScreen(hwnd_, &at);
      }
      ShowContextMenu(at);
      return 0;
    }

    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus();
      return 0;
    case WM_TIMER:
      if (wParam == kBlinkTimer) {
        caretOn_ = !caretOn_;
        Invalidate();
        return 0;
      }
      break;
    case WM_ENABLE:
      if (!wParam && dragging_ && GetCapture() == hwnd_) ReleaseCapture();
      Invalidate();
      return 0;
    case WM_SIZE:
      Invalidate();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole client area, so erasing first would only flicker
    case WM_PAINT:
      OnPaint();
      return 0;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// [text and selection messages] ------------------------------------------------------------------

LRESULT EditWindow::OnCreate(const CREATESTRUCTA* create) {
  // Only the single-line edit exists here; a multi-line box is refused rather than shown wrong.
  if (!create || (create->style & ES_MULTILINE)) return -1;
  model_.SetText(create->lpszName ? create->lpszName : "");
  return 0;
}

// Text set by the program replaces everything, puts the caret at the start, empties the undo
// buffer and clears the modified flag. It is not held to the limit. A single-line edit reports
// it with EN_UPDATE and EN_CHANGE like any other change (only multi-line edits stay silent).
LRESULT EditWindow::OnSetText(const char* text) {
  model_.SetText(text ? text : "");
  view_.ScrollHome();
  if (!Notify(EN_UPDATE)) return TRUE;
  Invalidate();
  Notify(EN_CHANGE);
  return TRUE;
}

LRESULT EditWindow::OnGetText(size_t capacity, char* buffer) const {
  if (!buffer || capacity == 0) return 0;
  const size_t count = std::min(capacity - 1, model_.Text().size());
  std::memcpy(buffer, model_.Text().data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

// Start -1 removes the selection and leaves the caret where it is; an end below 0 means the end
// of the text. The caret goes to `end`; nothing scrolls until EM_SCROLLCARET asks.
LRESULT EditWindow::OnSetSel(int start, int end) {
  const size_t size = model_.Text().size();
  if (start < 0) {
    model_.Select(model_.Caret(), model_.Caret());
  } else {
    const size_t to = end < 0 ? size : static_cast<size_t>(end);
    model_.Select(static_cast<size_t>(start), to);
  }
  Invalidate();
  return 0;
}

LRESULT EditWindow::OnGetSel(DWORD* start, DWORD* end) const {
  const size_t from = model_.SelectionStart(), to = model_.SelectionEnd();
  if (start) *start = static_cast<DWORD>(from);
  if (end) *end = static_cast<DWORD>(to);
  if (from > 0xFFFF || to > 0xFFFF) return -1;
  return MAKELONG(from, to);
}

// [keyboard] -------------------------------------------------------------------------------------

void EditWindow::OnChar(unsigned code) {
  if (code < 32 || code == 0x7F) model_.CancelPendingLead();
  switch (code) {
    case 8:  // Backspace
      if (!ReadOnly()) AfterEdit(model_.Backspace());
      return;
    case 1:  // Ctrl+A
      model_.SelectAll();
      AfterMove();
      return;
    case 3:  // Ctrl+C
      Copy();
      return;
    case 22:  // Ctrl+V
      Paste();
      return;
    case 24:  // Ctrl+X
      Cut();
      return;
    case 26:  // Ctrl+Z
      Undo();
      return;
    default:
      // Other control characters (Tab, Enter, Escape, ...) insert nothing.
      if (code >= 32 && !ReadOnly()) AfterEdit(model_.TypeByte(static_cast<unsigned char>(code)));
      return;
  }
}

bool EditWindow::OnKeyDown(UINT vk) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const size_t caret = model_.Caret();
  switch (vk) {
    case VK_LEFT:
    case VK_UP:  // a single line has no line above: Up moves like Left
      if (model_.HasSelection() && !shift && !ctrl)
        model_.MoveCaret(model_.SelectionStart(), false);
      else
        model_.MoveCaret(ctrl ? model_.WordLeft(caret) : model_.PrevBoundary(caret), shift);
      break;
    case VK_RIGHT:
    case VK_DOWN:
      if (model_.HasSelection() && !shift && !ctrl)
        model_.MoveCaret(model_.SelectionEnd(), false);
      else
        model_.MoveCaret(ctrl ? model_.WordRight(caret) : model_.NextBoundary(caret), shift);
      break;
    case VK_HOME:
      model_.MoveCaret(0, shift);
      break;
    case VK_END:
      model_.MoveCaret(model_.Text().size(), shift);
      break;
    case VK_DELETE:
      if (shift) {
        Cut();
      } else if (!ReadOnly()) {
        AfterEdit(model_.DeleteForward());
      }
      return true;
    case VK_INSERT:
      if (ctrl) Copy();
      else if (shift) Paste();
      return true;
    default:
      return false;
  }
  AfterMove();
  return true;
}

// [mouse] ----------------------------------------------------------------------------------------

void EditWindow::OnButtonDown(int x, bool extend) {
  if (GetFocus() != hwnd_) {
    SetFocus(hwnd_);
    if (destroyed_) return;
  }
  {
    MeasuringDc dc(hwnd_, font_);
    model_.MoveCaret(view_.HitTest(dc.get(), model_, ClientWidth(), x), extend);
  }
  dragging_ = true;
  SetCapture(hwnd_);
  AfterMove();
}

// Dragging past an edge hit-tests to the character just outside, so each movement there scrolls
// the text by one character and the selection follows.
void EditWindow::OnMouseMove(int x) {
  if (GetCapture() != hwnd_) {
    dragging_ = false;
    return;
  }
  {
    MeasuringDc dc(hwnd_, font_);
    model_.MoveCaret(view_.HitTest(dc.get(), model_, ClientWidth(), x), true);
  }
  AfterMove();
}

void EditWindow::OnDoubleClick(int x) {
  if (GetFocus() != hwnd_) {
    SetFocus(hwnd_);
    if (destroyed_) return;
  }
  {
    MeasuringDc dc(hwnd_, font_);
    model_.SelectWordAt(view_.CharacterAt(dc.get(), model_, ClientWidth(), x));
  }
  AfterMove();
}

// [commands] -------------------------------------------------------------------------------------

void EditWindow::Copy() {
  if (!model_.HasSelection()) return;
  if (Driver* driver = CurrentDriver()) driver->SetClipboardText(cp936::ToUtf8(model_.SelectedText()));
}

void EditWindow::Cut() {
  if (ReadOnly() || !model_.HasSelection()) return;
  Copy();
  AfterEdit(model_.DeleteSelection());
}

// The desktop's clipboard holds Unicode; characters GBK lacks arrive as '?'. Only the first line
// of a pasted text is kept, as a single-line edit does on the platform.
void EditWindow::Paste() {
  if (ReadOnly()) return;
  const std::string text = ClipboardText();
  if (text.empty()) return;
  AfterEdit(model_.Paste(cp936::FromUtf8(text)));
}

void EditWindow::Clear() {
  if (!ReadOnly()) AfterEdit(model_.DeleteSelection());
}

void EditWindow::Undo() {
  if (!ReadOnly()) AfterEdit(model_.Undo());
}

void EditWindow::ShowContextMenu(POINT screen) {
  if (GetFocus() != hwnd_) {
    SetFocus(hwnd_);
    if (destroyed_) return;
  }
  const bool writable = !ReadOnly();
  const bool selection = model_.HasSelection();
  EditMenuItems items;
  items.undo = writable && model_.CanUndo();
  items.cut = writable && selection;
  items.copy = selection;
  items.paste = writable && !ClipboardText().empty();
  items.del = writable && selection;
  items.selectAll = !model_.Text().empty() &&
                    !(model_.SelectionStart() == 0 && model_.SelectionEnd() == model_.Text().size());
  const EditMenuCommand command = TrackEditContextMenu(hwnd_, screen, items);
  if (destroyed_) return;
  switch (command) {
    case EditMenuCommand::Undo: Undo(); break;
    case EditMenuCommand::Cut: Cut(); break;
    case EditMenuCommand::Copy: Copy(); break;
    case EditMenuCommand::Paste: Paste(); break;
    case EditMenuCommand::Delete: Clear(); break;
    case EditMenuCommand::SelectAll:
      model_.SelectAll();
      AfterMove();
      break;
    case EditMenuCommand::None: break;
  }
}

// [focus and caret] ------------------------------------------------------------------------------

// Focus arriving leaves the caret and the selection as they were; nothing selects the text.
void EditWindow::OnSetFocus() {
  focused_ = true;
  RestartBlink();
  Invalidate();
  Notify(EN_SETFOCUS);
}

void EditWindow::OnKillFocus() {
  focused_ = false;
  caretOn_ = false;
  model_.CancelPendingLead();
  KillTimer(hwnd_, kBlinkTimer);
  if (dragging_ && GetCapture() == hwnd_) ReleaseCapture();
  dragging_ = false;
  Invalidate();
  Notify(EN_KILLFOCUS);
}

void EditWindow::RestartBlink() {
  caretOn_ = true;
  if (focused_) SetTimer(hwnd_, kBlinkTimer, kBlinkMs, nullptr);
}

void EditWindow::OnDestroy() {
  KillTimer(hwnd_, kBlinkTimer);
  if (GetCapture() == hwnd_) ReleaseCapture();
  destroyed_ = true;
}

// [painting] -------------------------------------------------------------------------------------

// The parent chooses the colours through WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC for a read-only or
// disabled box, as on the platform): it sets the text and background colours on the DC and
// returns the brush for the background. A parent that answers 0 gets the system's colours.
void EditWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  if (!dc) return;
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;

  const bool enabled = IsWindowEnabled(hwnd_) != 0;
  const bool staticLook = !enabled || ReadOnly();
  HWND parent = GetParent(hwnd_);
  HBRUSH brush = nullptr;
  if (parent)
    brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                  reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
  if (!brush) {
    const int background = staticLook ? COLOR_BTNFACE : COLOR_WINDOW;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    brush = GetSysColorBrush(background);
  }

  if (!destroyed_) {
    EditView::PaintState state;
    state.background = brush;
    state.textColor = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    state.showSelection = focused_ || (GetWindowLongA(hwnd_, GWL_STYLE) & ES_NOHIDESEL);
    state.showCaret = focused_ && caretOn_ && enabled;
    RECT client{0, 0, 0, 0};
    GetClientRect(hwnd_, &client);
    view_.Paint(dc, client, model_, state);
  }

  if (oldFont) SelectObject(dc, oldFont);
  EndPaint(hwnd_, &ps);
}

// [after an action] ------------------------------------------------------------------------------

void EditWindow::ScrollCaretIntoView() {
  MeasuringDc dc(hwnd_, font_);
  if (dc.get()) view_.ScrollToCaret(dc.get(), model_, ClientWidth());
}

void EditWindow::AfterMove() {
  ScrollCaretIntoView();
  RestartBlink();
  Invalidate();
}

// EN_UPDATE goes out when the new text is ready but not yet shown, EN_CHANGE once it is.
void EditWindow::AfterEdit(EditModel::Outcome outcome) {
  RestartBlink();
  if (outcome.limited && !Notify(EN_MAXTEXT)) return;
  if (!outcome.changed) return;
  ScrollCaretIntoView();
  if (!Notify(EN_UPDATE)) return;
  Invalidate();
  Notify(EN_CHANGE);
}

bool EditWindow::Notify(WORD code) {
  if (destroyed_) return false;
  if (HWND parent = GetParent(hwnd_)) {
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(hwnd_), code);
    SendMessageA(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hwnd_));
  }
  return !destroyed_;
}

}  // namespace quill::controls
