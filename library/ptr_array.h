// A growable array of owned pointers with 16-bit capacity and count, the
// storage of the expression library. It grows by a fixed step, copying the
// pointers into a new block, and holds at most 65,530 elements when the step
// is 10: one more step would not fit the 16-bit capacity.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace zorva {

template <typename T>
class PtrArray {
 public:
  PtrArray(uint16_t capacity, uint16_t growthStep)
      : block(new (std::nothrow) T*[capacity]), capacity(block ? capacity : 0), growthStep(growthStep) {}
  PtrArray(const PtrArray&) = delete;
  PtrArray& operator=(const PtrArray&) = delete;
  ~PtrArray() {
    for (uint16_t i = 0; i < count; i++) delete block[i];
  }

  // Takes `element` and returns its index; -1 when the block can't grow, and
  // then `element` stays with the caller.
  int32_t Append(std::unique_ptr<T>& element) {
    if (count == capacity && !Grow()) return -1;
    block[count] = element.release();
    return count++;
  }

  uint16_t Count() const { return count; }
  T* At(uint16_t index) const { return block[index]; }

 private:
  bool Grow() {
    if (capacity > UINT16_MAX - growthStep) return false;
    const uint16_t larger = static_cast<uint16_t>(capacity + growthStep);
    std::unique_ptr<T*[]> grown(new (std::nothrow) T*[larger]);
    if (!grown) return false;
    std::copy_n(block.get(), count, grown.get());
    block = std::move(grown);
    capacity = larger;
    return true;
  }

  // Plain pointers, so that growing copies them as one block; the array
  // deletes the elements it holds.
  std::unique_ptr<T*[]> block;
  uint16_t capacity;
  uint16_t count = 0;
  uint16_t growthStep;
};

}  // namespace zorva
