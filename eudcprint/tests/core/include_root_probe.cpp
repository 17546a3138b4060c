// Compiled as a source of the core would be: a platform header must not be found. The build of
// this file is expected to fail (see CMakeLists.txt).
#include "code_space.h"
#include "platform/posix/posix_platform.h"
