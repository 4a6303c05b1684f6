// Owner of a handle released by a function: releases what it holds exactly
// once, can be moved and cannot be copied. Portable; the Windows code gives
// it its handle types and release functions.
#pragma once

#include <utility>

namespace tolvane {

template <typename H, auto Free>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(H handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }

  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H release() { return std::exchange(handle_, nullptr); }
  void reset(H handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

}  // namespace tolvane
