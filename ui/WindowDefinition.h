// The fixed description of the main window and its seventeen controls. It is part of the
// program: built into it, never read from or written to a file at run time.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

// In the window's colour settings this value stands for the system's button-face colour.
inline constexpr COLORREF kButtonFaceColour = 0xFF000000;

enum class ControlKind { Label, EditBox, PicBox, Button, RadioBox, TransLabel };
enum class EventKind { Created, Click };

// An event bound to a handler by the handler's name.
struct EventBinding {
  EventKind event;
  const char* handler;
};

enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Centre, Bottom };
enum class InputMode { Normal, DecimalText };

struct LabelSettings {
  COLORREF textColour = 0x00000000;
  COLORREF backColour = kButtonFaceColour;
  HorizontalAlign align = HorizontalAlign::Left;
  VerticalAlign valign = VerticalAlign::Centre;
  bool wordWrap = false;
};

struct EditBoxSettings {
  int32_t maxLength = 0;
  InputMode inputMode = InputMode::Normal;
  COLORREF textColour = 0x00000000;
  COLORREF backColour = 0x00FFFFFF;
  bool sunkenBorder = true;
  bool hideSelection = true;
};

struct ButtonSettings {
  bool defaultButton = false;
  bool multiLine = true;
};

struct RadioBoxSettings {
  bool checked = false;
  bool multiLine = true;
  COLORREF textColour = 0x00000000;
  COLORREF backColour = kButtonFaceColour;
};

struct PicBoxSettings {
  COLORREF backColour = kButtonFaceColour;
  const unsigned char* picture = nullptr;  // the bytes of an image file, or none
  size_t pictureSize = 0;
};

struct TransLabelSettings {
  COLORREF textColour = 0x00A7FEC4;
};

using KindSettings = std::variant<LabelSettings, EditBoxSettings, PicBoxSettings, ButtonSettings,
                                  RadioBoxSettings, TransLabelSettings>;

struct ControlDefinition {
  ControlKind kind;
  const char* name;
  const char* parent;  // nullptr: the window itself; otherwise a container control's name
  int32_t left, top, width, height;
  const char* text;
  bool visible;
  bool tabStop;
  bool disabled = false;
  int32_t tabPosition = 0;
  std::vector<EventBinding> bindings;
  KindSettings settings;
};

struct WindowDefinition {
  const char* title;
  bool fixedSingleBorder;
  bool controlBox;
  bool minimiseButton;
  bool maximiseButton;
  bool movable;
  int32_t outerWidth, outerHeight;
  int32_t storedLeft, storedTop;
  bool centred;
  COLORREF backColour;
  bool enterMovesFocus;
  bool escClosesWindow;
  std::vector<EventBinding> bindings;
  std::vector<ControlDefinition> controls;
};

// The main window's definition, or nullptr when it cannot be read.
const WindowDefinition* MainWindowDefinition();

// The icon artwork (a 48 x 48 PNG with alpha) built into the program.
const unsigned char* ProgramIconBytes();
size_t ProgramIconSize();
