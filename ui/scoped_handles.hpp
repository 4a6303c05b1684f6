// Owners for Windows handles, GDI objects and COM interfaces: each releases
// what it holds exactly once, can be moved and cannot be copied.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>

#include "scoped_handle.hpp"

namespace tolvane {

namespace detail {
inline void deleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void deleteDc(HDC dc) { DeleteDC(dc); }
inline void destroyWindow(HWND window) { DestroyWindow(window); }
inline void destroyIcon(HICON icon) { DestroyIcon(icon); }
}  // namespace detail

using ScopedFont = ScopedHandle<HFONT, detail::deleteGdiObject>;
using ScopedBrush = ScopedHandle<HBRUSH, detail::deleteGdiObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, detail::deleteGdiObject>;
using ScopedPen = ScopedHandle<HPEN, detail::deleteGdiObject>;
using ScopedRegion = ScopedHandle<HRGN, detail::deleteGdiObject>;
using ScopedMemoryDc = ScopedHandle<HDC, detail::deleteDc>;  // from CreateCompatibleDC
using ScopedWindow = ScopedHandle<HWND, detail::destroyWindow>;
using ScopedIcon = ScopedHandle<HICON, detail::destroyIcon>;

// Selects a GDI object into a device context and selects the previous one back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelection() { SelectObject(dc_, previous_); }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A device context from GetDC (the client area) or GetWindowDC (the whole
// window, frame included), given back with ReleaseDC.
class ScopedWindowDc {
 public:
  enum class Area { Client, WholeWindow };
  explicit ScopedWindowDc(HWND window, Area area = Area::Client)
      : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~ScopedPaint() { EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC dc() const { return dc_; }
  const PAINTSTRUCT& paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A COM interface pointer that releases its reference.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For functions that hand out a new reference through T**.
  T** put() {
    reset();
    return &pointer_;
  }
  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  T* pointer_ = nullptr;
};

// OLE for the calling thread, as a single-threaded apartment.
class ScopedOle {
 public:
  ScopedOle() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~ScopedOle() {
    if (ok_) OleUninitialize();
  }
  ScopedOle(const ScopedOle&) = delete;
  ScopedOle& operator=(const ScopedOle&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

}  // namespace tolvane
