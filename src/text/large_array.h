// Zero-filled arrays for the few large blocks of a conversion: the bytes of
// a source and the profile reader's index of them. Their memory comes
// straight from the system, zero until first touched, and is chosen here
// rather than behind the program's back: a block of a large page (2 MiB)
// or more lies on large pages where the system offers them. A conversion
// walks such a block once, and on small pages every 4 KiB costs a fault
// the first time it is touched, which in a virtual machine costs more than
// reading the page. Smaller blocks come from the C library.
#ifndef OVQ2TYX_TEXT_LARGE_ARRAY_H_
#define OVQ2TYX_TEXT_LARGE_ARRAY_H_

#include <cstddef>
#include <cstring>
#include <limits>
#include <new>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

namespace ovq2tyx {

namespace large_array {

// `bytes` zero-filled bytes, aligned for any type; std::bad_alloc when the
// system has none to give. Release them with Free, given the same size.
void* Allocate(std::size_t bytes);
void Free(void* block, std::size_t bytes) noexcept;

}  // namespace large_array

// `size` elements of T, all bits zero, in one block that the array owns.
template <typename T>
class LargeArray {
  static_assert(std::is_trivially_copyable_v<T> &&
                std::is_trivially_default_constructible_v<T>);

 public:
  LargeArray() = default;
  explicit LargeArray(std::size_t size) : size_(size) {
    if (size > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
      throw std::bad_alloc();
    }
    data_ = static_cast<T*>(large_array::Allocate(size * sizeof(T)));
  }
  LargeArray(LargeArray&& other) noexcept
      : data_(std::exchange(other.data_, nullptr)),
        size_(std::exchange(other.size_, 0)) {}
  LargeArray& operator=(LargeArray&& other) noexcept {
    LargeArray gone(std::move(*this));
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    return *this;
  }
  ~LargeArray() {
    if (data_ != nullptr) large_array::Free(data_, size_ * sizeof(T));
  }

  T* data() { return data_; }
  const T* data() const { return data_; }
  std::size_t size() const { return size_; }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  operator std::span<T>() { return {data_, size_}; }
  operator std::span<const T>() const { return {data_, size_}; }

 private:
  T* data_ = nullptr;
  std::size_t size_ = 0;
};

// A copy of `bytes`.
inline LargeArray<char> CopyToLargeArray(std::string_view bytes) {
  LargeArray<char> copy(bytes.size());
  if (!bytes.empty()) std::memcpy(copy.data(), bytes.data(), bytes.size());
  return copy;
}

}  // namespace ovq2tyx

#endif  // OVQ2TYX_TEXT_LARGE_ARRAY_H_
