// A picture box: shows one picture at its own size at the top-left corner over its background
// colour, and holds the picture as the complete bytes of an image file. A read hands back exactly
// the bytes last written, decodable or not.
#pragma once

#include <optional>

#include "ui/Control.h"
#include "ui/ImageBytes.h"
#include "ui/PictureDecoder.h"

class PicBox : public Control {
 public:
  explicit PicBox(const ControlDefinition& definition);
  ~PicBox() override;
  bool Create(HWND parent) override;

  // Replaces the stored bytes with a copy of `picture` (empty clears them) and shows it at the
  // next paint.
  void WritePicture(const ImageBytes& picture);
  // A fresh copy of the stored bytes; empty when the box holds none.
  ImageBytes ReadPicture() const;

  bool HasDecodedImage() const { return decoded_.has_value(); }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void SetPicture();
  void Draw(HDC dc, const RECT& paintArea);

  const PicBoxSettings& settings_;
  COLORREF background_ = 0;
  HBRUSH backgroundBrush_ = nullptr;
  ImageBytes bytes_;
  std::optional<DecodedImage> decoded_;
  // Every pixel of the decoded PNG is fully opaque: a paint then needs no blended copy.
  bool opaque_ = false;
};
