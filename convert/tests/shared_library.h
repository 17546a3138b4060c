#pragma once
// Loads the built tessel library the way a host does and looks its functions up by name.

#include <stdexcept>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "tessel.h"

namespace tessel::testing {

using StringConvertFn = int32_t(TESSEL_CALL*)(int32_t, int32_t, const char*, char*);
using FileConvertFn = int32_t(TESSEL_CALL*)(int32_t, int32_t, const char*, const char*);
using ListFn = int32_t(TESSEL_CALL*)();

class SharedLibrary {
 public:
  SharedLibrary() {
#if defined(_WIN32)
    // Found beside the test program, whatever the current directory.
    handle_ = LoadLibraryA("tessel.dll");
#else
    handle_ = dlopen(TESSEL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
#endif
    if (handle_ == nullptr) throw std::runtime_error("cannot load the tessel library");
  }
  ~SharedLibrary() {
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
  }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  template <typename Fn>
  Fn Function(const char* name) const {
#if defined(_WIN32)
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)));
#else
    return reinterpret_cast<Fn>(dlsym(handle_, name));
#endif
  }

  StringConvertFn StringConvert() const { return Function<StringConvertFn>("CVT_StringConvert"); }
  FileConvertFn FileConvert() const { return Function<FileConvertFn>("CVT_FileConvert"); }
  ListFn TableListStart() const { return Function<ListFn>("CVT_TableListStart"); }
  ListFn TableListEnd() const { return Function<ListFn>("CVT_TableListEnd"); }

 private:
  void* handle_ = nullptr;
};

}  // namespace tessel::testing
