#include "drivers/sdl/SdlKeyMap.h"

namespace quill {

namespace {

// The platform's codes for the keys we report. Kept local so they cannot clash with the names
// the public headers define.
namespace vk {
constexpr UINT Back = 0x08, Tab = 0x09, Clear = 0x0C, Return = 0x0D, Shift = 0x10, Control = 0x11,
               Menu = 0x12, Pause = 0x13, Capital = 0x14, Escape = 0x1B, Space = 0x20, Prior = 0x21,
               Next = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27,
               Down = 0x28, Insert = 0x2D, Delete = 0x2E, Apps = 0x5D, Numpad0 = 0x60,
               Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F,
               F1 = 0x70, NumLock = 0x90, Scroll = 0x91, Oem1 = 0xBA, OemPlus = 0xBB,
               OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE, Oem2 = 0xBF, Oem3 = 0xC0,
               Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE, Oem102 = 0xE2;
}  // namespace vk

// Punctuation keys by the character they produce unshifted on the US layout.
UINT PunctuationKey(int ch) {
  switch (ch) {
    case ';': return vk::Oem1;
    case '=': return vk::OemPlus;
    case ',': return vk::OemComma;
    case '-': return vk::OemMinus;
    case '.': return vk::OemPeriod;
    case '/': return vk::Oem2;
    case '`': return vk::Oem3;
    case '[': return vk::Oem4;
    case '\\': return vk::Oem5;
    case ']': return vk::Oem6;
    case '\'': return vk::Oem7;
    default: return 0;
  }
}

// The same keys by position, for layouts whose characters there are not ASCII punctuation.
UINT PunctuationScancode(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_SEMICOLON: return vk::Oem1;
    case SDL_SCANCODE_EQUALS: return vk::OemPlus;
    case SDL_SCANCODE_COMMA: return vk::OemComma;
    case SDL_SCANCODE_MINUS: return vk::OemMinus;
    case SDL_SCANCODE_PERIOD: return vk::OemPeriod;
    case SDL_SCANCODE_SLASH: return vk::Oem2;
    case SDL_SCANCODE_GRAVE: return vk::Oem3;
    case SDL_SCANCODE_LEFTBRACKET: return vk::Oem4;
    case SDL_SCANCODE_BACKSLASH: return vk::Oem5;
    case SDL_SCANCODE_RIGHTBRACKET: return vk::Oem6;
    case SDL_SCANCODE_APOSTROPHE: return vk::Oem7;
    case SDL_SCANCODE_NONUSBACKSLASH: return vk::Oem102;
    default: return 0;
  }
}

// Keypad digits and its decimal key give numbers with Num Lock on and act as the editing keys
// printed on them with Num Lock off, as on the platform.
UINT KeypadKey(SDL_Scancode sc, bool numLock) {
  static const UINT kNavigation[10] = {vk::Insert, vk::End,  vk::Down, vk::Next,  vk::Left,
                                       vk::Clear,  vk::Right, vk::Home, vk::Up,   vk::Prior};
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) {
    int digit = sc - SDL_SCANCODE_KP_1 + 1;
    return numLock ? vk::Numpad0 + digit : kNavigation[digit];
  }
  switch (sc) {
    case SDL_SCANCODE_KP_0: return numLock ? vk::Numpad0 : kNavigation[0];
    case SDL_SCANCODE_KP_PERIOD: return numLock ? vk::Decimal : vk::Delete;
    case SDL_SCANCODE_KP_DIVIDE: return vk::Divide;
    case SDL_SCANCODE_KP_MULTIPLY: return vk::Multiply;
    case SDL_SCANCODE_KP_MINUS: return vk::Subtract;
    case SDL_SCANCODE_KP_PLUS: return vk::Add;
    case SDL_SCANCODE_KP_ENTER: return vk::Return;
    default: return 0;
  }
}

UINT NamedKey(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return vk::F1 + (sc - SDL_SCANCODE_F1);
  switch (sc) {
    case SDL_SCANCODE_BACKSPACE: return vk::Back;
    case SDL_SCANCODE_TAB: return vk::Tab;
    case SDL_SCANCODE_RETURN: return vk::Return;
    case SDL_SCANCODE_ESCAPE: return vk::Escape;
    case SDL_SCANCODE_SPACE: return vk::Space;
    case SDL_SCANCODE_PAGEUP: return vk::Prior;
    case SDL_SCANCODE_PAGEDOWN: return vk::Next;
    case SDL_SCANCODE_END: return vk::End;
    case SDL_SCANCODE_HOME: return vk::Home;
    case SDL_SCANCODE_LEFT: return vk::Left;
    case SDL_SCANCODE_UP: return vk::Up;
    case SDL_SCANCODE_RIGHT: return vk::Right;
    case SDL_SCANCODE_DOWN: return vk::Down;
    case SDL_SCANCODE_INSERT: return vk::Insert;
    case SDL_SCANCODE_DELETE: return vk::Delete;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return vk::Shift;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return vk::Control;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return vk::Menu;
    case SDL_SCANCODE_APPLICATION: return vk::Apps;
    case SDL_SCANCODE_CAPSLOCK: return vk::Capital;
    case SDL_SCANCODE_NUMLOCKCLEAR: return vk::NumLock;
    case SDL_SCANCODE_SCROLLLOCK: return vk::Scroll;
    case SDL_SCANCODE_PAUSE: return vk::Pause;
    default: return 0;
  }
}

}  // namespace

UINT VirtualKeyFromSdl(const SDL_Keysym& key) {
  const SDL_Scancode sc = key.scancode;
  // The digit row gives the digit codes on nearly every layout, even where the unshifted
  // character there is not a digit (French keyboards), so it goes by position.
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc == SDL_SCANCODE_0) return '0';
  if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
  if (UINT named = NamedKey(sc)) return named;
  if (UINT pad = KeypadKey(sc, (key.mod & KMOD_NUM) != 0)) return pad;
  if (UINT punct = PunctuationKey(key.sym)) return punct;
  if (UINT punct = PunctuationScancode(sc)) return punct;
  // Letters of layouts that are not Latin keep the code of the Latin letter in that place.
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  return 0;
}

}  // namespace quill
