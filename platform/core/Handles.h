// Handle tables: every object the layer hands out behind a handle lives here, owned by the table.
// A handle encodes a kind tag, a slot index and a generation, so a stale or foreign handle is
// recognised at the boundary and the call fails instead of touching freed memory.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace quill {

enum class HandleKind : uint32_t {
  Window = 1,
  Dc = 2,
  GdiObject = 3,
  Icon = 4,
  File = 5,
  Menu = 6,
};

template <class T>
class HandleTable {
 public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  // Takes ownership of obj and returns its handle value (never 0).
  uintptr_t Add(std::unique_ptr<T> obj) {
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      index = static_cast<uint32_t>(slots_.size());
      slots_.push_back(Slot{});
    }
    Slot& s = slots_[index];
    s.obj = std::move(obj);
    ++live_;
    return Encode(index, s.generation);
  }

  // The object behind a handle, or nullptr when the handle is stale, foreign or null.
  T* Get(uintptr_t handle) const {
    uint32_t index;
    if (!Decode(handle, &index)) return nullptr;
    return slots_[index].obj.get();
  }

  // Destroys the object; false when the handle does not name a live object.
  bool Remove(uintptr_t handle) {
    uint32_t index;
    if (!Decode(handle, &index) || !slots_[index].obj) return false;
    // Move out first so a destructor that looks the handle up again finds it gone.
    std::unique_ptr<T> doomed = std::move(slots_[index].obj);
    slots_[index].generation = (slots_[index].generation + 1) & kGenMask;
    if (slots_[index].generation == 0) slots_[index].generation = 1;
    free_.push_back(index);
    --live_;
    doomed.reset();
    return true;
  }

  size_t Live() const { return live_; }

  template <class F>
  void ForEach(F&& f) const {
    for (size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].obj) f(Encode(static_cast<uint32_t>(i), slots_[i].generation), *slots_[i].obj);
  }

  void Clear() {
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (!slots_[i].obj) continue;
      Remove(Encode(static_cast<uint32_t>(i), slots_[i].generation));
    }
  }

 private:
  static constexpr uint32_t kIndexBits = 20, kGenBits = 8;
  static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1, kGenMask = (1u << kGenBits) - 1;
  struct Slot {
    std::unique_ptr<T> obj;
    uint32_t generation = 1;
  };

  uintptr_t Encode(uint32_t index, uint32_t gen) const {
    return (static_cast<uintptr_t>(kind_) << (kIndexBits + kGenBits)) |
           (static_cast<uintptr_t>(gen) << kIndexBits) | (index + 1);
  }
  bool Decode(uintptr_t h, uint32_t* index) const {
    if (h == 0 || (h >> (kIndexBits + kGenBits)) != static_cast<uintptr_t>(kind_)) return false;
    uint32_t i = static_cast<uint32_t>(h & kIndexMask);
    if (i == 0 || i > slots_.size()) return false;
    uint32_t gen = static_cast<uint32_t>((h >> kIndexBits) & kGenMask);
    if (slots_[i - 1].generation != gen || !slots_[i - 1].obj) return false;
    *index = i - 1;
    return true;
  }

  HandleKind kind_;
  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
  size_t live_ = 0;
};

}  // namespace quill
