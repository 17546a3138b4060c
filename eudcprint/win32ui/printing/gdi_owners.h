// Owners of the platform's drawing handles: each handle is released the one way it must be, once.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace pictor::win32ui {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeviceContextDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct MetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
struct GlobalMemoryDeleter {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
struct WindowDeleter {
  void operator()(HWND window) const { DestroyWindow(window); }
};

// Fonts, pens, brushes and bitmaps made by this program (never stock objects).
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiObjectDeleter>;
// Device and information contexts made with CreateDC, CreateIC or CreateCompatibleDC.
using DeviceContext = std::unique_ptr<std::remove_pointer_t<HDC>, DeviceContextDeleter>;
using EnhancedMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, MetafileDeleter>;
using GlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalMemoryDeleter>;
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// An object selected into a device context until this goes, when the one before is selected back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Memory of GlobalAlloc locked while this lives.
template <typename T>
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory) : memory_(memory), data_(static_cast<T*>(GlobalLock(memory))) {}
  ~LockedGlobal() {
    if (data_ != nullptr) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  T* Get() const { return data_; }
  T* operator->() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

}  // namespace pictor::win32ui
