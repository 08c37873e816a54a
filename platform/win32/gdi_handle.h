#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace zelvorn {

// A GDI handle owned by one object, given back with it by `TRelease` (deleted, released to its
// window, selected back out), so that no early return or exception leaks one. It moves; it is
// not copied.
template <typename THandle, typename TRelease>
class TGdiHandle {
 public:
  TGdiHandle() = default;
  explicit TGdiHandle(THandle handle, TRelease release = {}) : handle_(handle), release_(release) {}
  ~TGdiHandle() {
    if (handle_ != nullptr) release_(handle_);
  }
  TGdiHandle(TGdiHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), release_(other.release_) {}
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;
  TGdiHandle& operator=(TGdiHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    std::swap(release_, other.release_);
    return *this;
  }

  THandle Get() const { return handle_; }

 private:
  THandle handle_ = nullptr;
  [[no_unique_address]] TRelease release_{};
};

struct TDeleteObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct TDeleteDC {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// A device context from GetDC or GetWindowDC, released to its window.
struct TReleaseDC {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};

// What SelectObject gave back, selected into its device context again.
struct TSelectBack {
  HDC dc = nullptr;
  void operator()(HGDIOBJ previous) const { SelectObject(dc, previous); }
};

using TFontHandle = TGdiHandle<HFONT, TDeleteObject>;
using TBrushHandle = TGdiHandle<HBRUSH, TDeleteObject>;
using TRegionHandle = TGdiHandle<HRGN, TDeleteObject>;
using TPenHandle = TGdiHandle<HPEN, TDeleteObject>;
using TBitmapHandle = TGdiHandle<HBITMAP, TDeleteObject>;
// A memory device context from CreateCompatibleDC.
using TMemoryDC = TGdiHandle<HDC, TDeleteDC>;
using TWindowDC = TGdiHandle<HDC, TReleaseDC>;
using TSelection = TGdiHandle<HGDIOBJ, TSelectBack>;

// `object` selected into `dc` until the selection goes.
inline TSelection SelectInto(HDC dc, HGDIOBJ object) {
  return TSelection(SelectObject(dc, object), {dc});
}

// The device context of `window`'s client area, or of all of it with its frame.
inline TWindowDC ClientDC(HWND window) { return TWindowDC(GetDC(window), {window}); }
inline TWindowDC WholeWindowDC(HWND window) { return TWindowDC(GetWindowDC(window), {window}); }

}  // namespace zelvorn
