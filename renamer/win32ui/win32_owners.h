#pragma once

// Owners of the system's handles: each frees its handle once, when it goes.

#include <windows.h>

#include <utility>

namespace quillon::win32ui {

template <typename Handle, auto kFree>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(Handle handle = nullptr) {
    if (handle_) kFree(handle_);
    handle_ = handle;
  }
  Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyWindowHandle(HWND window) {
  if (IsWindow(window)) DestroyWindow(window);
}

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
// A top-level window that is destroyed with its owner unless the system destroyed it first.
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle>;

// COM (and OLE) on this thread, for the shell's folder chooser, for the owner's lifetime.
class OleSession {
 public:
  OleSession() : ready_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (ready_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool ready_;
};

// A device context of the screen, released when it goes.
class ScreenContext {
 public:
  ScreenContext() : dc_(GetDC(nullptr)) {}
  ~ScreenContext() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenContext(const ScreenContext&) = delete;
  ScreenContext& operator=(const ScreenContext&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace quillon::win32ui
