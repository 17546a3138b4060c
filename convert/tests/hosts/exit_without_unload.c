/*
 * A host that loads the library at run time, converts one string and returns from main without
 * unloading it, as many hosts do: the library's state is then released while the process exits,
 * and the exit status must still be the host's own.
 */
#include <stdio.h>

#include "tessel.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

typedef int32_t(TESSEL_CALL* StringConvertFn)(int32_t, int32_t, const char*, char*);

int main(void) {
  StringConvertFn convert;
  char output[CVT_MAX_OUTPUT_SIZE(2)];
#if defined(_WIN32)
  HMODULE library = LoadLibraryA("tessel.dll");
  if (library == NULL) return 2;
  convert = (StringConvertFn)(void*)GetProcAddress(library, "CVT_StringConvert");
#else
  void* library = dlopen(TESSEL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) return 2;
  *(void**)&convert = dlsym(library, "CVT_StringConvert");
#endif
  if (convert == NULL) return 2;
  printf("result %d\n", (int)convert(CVT_BIG5, CVT_CNS, "A\0", output));
  fflush(stdout);
  return 0; /* no FreeLibrary, no dlclose */
}
