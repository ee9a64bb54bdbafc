// Owns one handle of a system resource and closes it once. The close function and the empty
// value are part of the type, so a handle of one kind cannot be closed with another's function.
#pragma once

#include <utility>

namespace vetrix {

template <class T, auto Close, T Empty = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Empty));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty; }
  void reset(T handle = Empty) {
    if (handle_ != Empty) Close(handle_);
    handle_ = handle;
  }

 private:
  T handle_ = Empty;
};

}  // namespace vetrix
