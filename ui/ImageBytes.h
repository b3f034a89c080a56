// An owned, length-counted block holding one whole image file (a capture's BMP, the background
// PNG). Copying copies the bytes; the empty value has length 0. The bytes come from the shared
// allocator, like every block handed to handlers.
#pragma once

#include <cstddef>
#include <cstdint>

class ImageBytes {
 public:
  ImageBytes() = default;
  ImageBytes(const ImageBytes& other);
  ImageBytes(ImageBytes&& other) noexcept;
  ImageBytes& operator=(const ImageBytes& other);
  ImageBytes& operator=(ImageBytes&& other) noexcept;
  ~ImageBytes() { Release(); }

  // A copy of `size` bytes at `data`. Running out of memory is fatal, as for any handler block.
  static ImageBytes CopyOf(const void* data, size_t size);
  // The same, but empty when memory is short (for owners that can live without the bytes).
  static ImageBytes TryCopyOf(const void* data, size_t size);
  // Takes over a block from the shared allocator.
  static ImageBytes Adopt(uint8_t* block, size_t size);

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

  void Release();

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
