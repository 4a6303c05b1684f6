// An off-screen bitmap with its memory device context: controls are painted
// into one and copied to the screen in a single BitBlt, so they never flicker.
#pragma once

#include <windows.h>

#include "scoped_handles.hpp"

namespace tolvane {

class OffscreenCanvas {
 public:
  // A canvas of width × height pixels in the format of target.
  OffscreenCanvas(HDC target, int width, int height)
      : width_(width),
        height_(height),
        dc_(CreateCompatibleDC(target)),
        // A zero-sized request would give a 1 × 1 monochrome bitmap: ask for none.
        bitmap_(width > 0 && height > 0 ? CreateCompatibleBitmap(target, width, height) : nullptr),
        selection_(dc_.get(), bitmap_.get()) {}

  // False when the canvas could not be made (or has no pixels); paint nothing then.
  explicit operator bool() const { return dc_ && bitmap_; }

  HDC dc() const { return dc_.get(); }

  void copyTo(HDC target) const {
    BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
  }

 private:
  int width_;
  int height_;
  // Declared in this order so that the bitmap is selected out before either goes.
  ScopedMemoryDc dc_;
  ScopedBitmap bitmap_;
  ScopedSelection selection_;
};

}  // namespace tolvane
