#include "ui/WindowDefinition.h"

#include "ui/ControlNames.h"
#include "ui/EmbeddedAssets.h"

namespace {

using namespace names;

const EventBinding kClickPreview{EventKind::Click, "OnPreviewClick"};
const EventBinding kClickSave{EventKind::Click, "OnSaveClick"};
const EventBinding kClickPrecision5{EventKind::Click, "OnPrecision5Click"};
const EventBinding kClickPrecision6{EventKind::Click, "OnPrecision6Click"};

LabelSettings Label() { return LabelSettings{}; }

EditBoxSettings Entry(int32_t maxLength, InputMode mode) {
  EditBoxSettings s;
  s.maxLength = maxLength;
  s.inputMode = mode;
  return s;
}

WindowDefinition Build() {
  PicBoxSettings background;
  background.picture = assets::BackgroundPng();
  background.pictureSize = assets::BackgroundPngSize();

  WindowDefinition w{
      .title = "Quillmark",
      .fixedSingleBorder = true,
      .controlBox = true,
      .minimiseButton = true,
      .maximiseButton = false,
      .movable = true,
      .outerWidth = 484,
      .outerHeight = 614,
      .storedLeft = 50,
      .storedTop = 50,
      .centred = true,
      .backColour = kButtonFaceColour,
      .enterMovesFocus = false,
      .escClosesWindow = true,
      .bindings = {{EventKind::Created, "OnMainWindowCreated"}},
      .controls = {},
  };

  // Creation order. Positions are in the parent's client coordinates.
  w.controls = {
      {ControlKind::PicBox, kPicBox1, nullptr, 0, 0, 328, 584, "", true, false, false, 0, {}, background},
      {ControlKind::Button, kButton1, nullptr, 384, 168, 80, 56, "\xD4\xA4\xC0\xC0" /* 预览 */, true, true, false, 0,
       {kClickPreview}, ButtonSettings{}},
      {ControlKind::PicBox, kPicBox2, nullptr, 504, 16, 264, 352, "", true, false, false, 0, {}, PicBoxSettings{}},
      {ControlKind::TransLabel, kTransLabel1, kPicBox1, 150, 104, 88, 28, "35.123456", true, false, false, 0, {},
       TransLabelSettings{}},
      {ControlKind::EditBox, kEditBox1, nullptr, 384, 96, 80, 20, "35.123456", true, true, false, 0, {},
       Entry(9, InputMode::DecimalText)},
      {ControlKind::EditBox, kEditBox2, nullptr, 384, 128, 80, 20, "115.123456", true, true, false, 0, {},
       Entry(10, InputMode::DecimalText)},
      {ControlKind::TransLabel, kTransLabel2, kPicBox1, 144, 120, 96, 32, "115.123456", true, false, false, 0, {},
       TransLabelSettings{}},
      {ControlKind::Button, kButton2, nullptr, 384, 304, 80, 32, "\xB1\xA3\xB4\xE6" /* 保存 */, true, true, false, 0,
       {kClickSave}, ButtonSettings{}},
      {ControlKind::Label, kLabel1, nullptr, 344, 88, 24, 32, "\xBE\xAD\xB6\xC8" /* 经度 */, true, false, false, 0, {},
       Label()},
      {ControlKind::Label, kLabel2, nullptr, 344, 120, 24, 40, "\xCE\xB3\xB6\xC8" /* 纬度 */, true, false, false, 0, {},
       Label()},
      {ControlKind::EditBox, kEditBox3, nullptr, 384, 240, 80, 24, "\xD0\xDE\xB8\xC4\xB5\xC4GPS" /* 修改的GPS */, true,
       true, false, 0, {}, Entry(0, InputMode::Normal)},
      {ControlKind::Label, kLabel3, nullptr, 376, 272, 96, 24,
       "\xD7\xD4\xB6\xAF\xB1\xA3\xB4\xE6\xD4\xDA\xD7\xC0\xC3\xE6" /* 自动保存在桌面 */, true, false, false, 0, {}, Label()},
      {ControlKind::Label, kFileNameLabel, nullptr, 336, 232, 40, 40, "\xCE\xC4\xBC\xFE\xC3\xFB" /* 文件名 */, true,
       false, false, 0, {}, Label()},
      {ControlKind::Label, kNotice, nullptr, 376, 416, 72, 24, "Tarvello\xD7\xA8\xD3\xC3" /* Tarvello专用 */, true,
       false, false, 0, {}, Label()},
      {ControlKind::RadioBox, kRadioBox1, nullptr, 368, 24, 104, 24,
       "\xBE\xAB\xB6\xC8\xB1\xA3\xC1\xF4" "5\xCE\xBB" /* 精度保留5位 */, true, true, false, 0, {kClickPrecision5},
       RadioBoxSettings{}},
      {ControlKind::RadioBox, kRadioBox2, nullptr, 368, 56, 104, 24,
       "\xBE\xAB\xB6\xC8\xB1\xA3\xC1\xF4" "6\xCE\xBB" /* 精度保留6位 */, true, true, false, 0, {kClickPrecision6},
       RadioBoxSettings{}},
      {ControlKind::Label, kNotice1, nullptr, 360, 392, 96, 24, "Quillmark", true, false, false, 0, {}, Label()},
  };
  return w;
}

}  // namespace

const WindowDefinition* MainWindowDefinition() {
  // The definition carries the background picture; without it the definition is incomplete.
  if (!assets::BackgroundPng() || assets::BackgroundPngSize() == 0) return nullptr;
  static const WindowDefinition definition = Build();
  return &definition;
}

const unsigned char* ProgramIconBytes() { return assets::IconPng(); }
size_t ProgramIconSize() { return assets::IconPngSize(); }
