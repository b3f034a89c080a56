#include "ui/ImageBytes.h"

#include <cstring>
#include <utility>

#include "app/SharedHeap.h"

ImageBytes ImageBytes::CopyOf(const void* data, size_t size) {
  if (!data || size == 0) return ImageBytes();
  auto* block = static_cast<uint8_t*>(AllocBlock(size));
  std::memcpy(block, data, size);
  return Adopt(block, size);
}

ImageBytes ImageBytes::TryCopyOf(const void* data, size_t size) {
  if (!data || size == 0) return ImageBytes();
  auto* block = static_cast<uint8_t*>(TryAllocBlock(size));
  if (!block) return ImageBytes();
  std::memcpy(block, data, size);
  return Adopt(block, size);
}

ImageBytes ImageBytes::Adopt(uint8_t* block, size_t size) {
  ImageBytes b;
  if (size == 0) {
    FreeBlock(block);
    return b;
  }
  b.data_ = block;
  b.size_ = size;
  return b;
}

ImageBytes::ImageBytes(const ImageBytes& other) : ImageBytes(CopyOf(other.data_, other.size_)) {}

ImageBytes::ImageBytes(ImageBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

ImageBytes& ImageBytes::operator=(const ImageBytes& other) {
  if (this != &other) *this = CopyOf(other.data_, other.size_);
  return *this;
}

ImageBytes& ImageBytes::operator=(ImageBytes&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void ImageBytes::Release() {
  FreeBlock(data_);
  data_ = nullptr;
  size_ = 0;
}
