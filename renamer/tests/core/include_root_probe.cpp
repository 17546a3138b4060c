// Compiled as a source of the core would be: a platform header must not be found. The build of
// this file is expected to fail (see tests/CMakeLists.txt).
#include "platform/native_machine.h"
#include "ports.h"
