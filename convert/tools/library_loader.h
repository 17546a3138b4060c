#pragma once
// Loads the tessel library at run time, as a host does, and finds its four functions by name.

#include <filesystem>
#include <stdexcept>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "tessel.h"

namespace tessel::tools {

class LoadedLibrary {
 public:
  using StringConvert = int32_t(TESSEL_CALL*)(int32_t, int32_t, const char*, char*);
  using FileConvert = int32_t(TESSEL_CALL*)(int32_t, int32_t, const char*, const char*);
  using ListFunction = int32_t(TESSEL_CALL*)();

  explicit LoadedLibrary(const std::filesystem::path& file) {
#if defined(_WIN32)
    handle_ = LoadLibraryA(file.string().c_str());
#else
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    if (handle_ == nullptr) throw std::runtime_error("cannot load " + file.string());
    string_convert = Function<StringConvert>("CVT_StringConvert");
    file_convert = Function<FileConvert>("CVT_FileConvert");
    table_list_start = Function<ListFunction>("CVT_TableListStart");
    table_list_end = Function<ListFunction>("CVT_TableListEnd");
  }
  ~LoadedLibrary() {
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  StringConvert string_convert;
  FileConvert file_convert;
  ListFunction table_list_start;
  ListFunction table_list_end;

 private:
  template <typename Fn>
  Fn Function(const char* name) {
#if defined(_WIN32)
    void* f = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    void* f = dlsym(handle_, name);
#endif
    if (f == nullptr) throw std::runtime_error(std::string("the library lacks ") + name);
    return reinterpret_cast<Fn>(f);
  }

  void* handle_ = nullptr;
};

}  // namespace tessel::tools
