# Cross build for Windows with MinGW-w64. LUMISAT_WINDOWS_ARCH chooses the
# processor: i686, the deliverable (the vendor driver library is 32-bit
# stdcall), or x86_64, the same program for machines whose kernel runs no
# 32-bit code, where only a 64-bit Wine works.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DLUMISAT_WINDOWS_ARCH=i686 ...
if(NOT LUMISAT_WINDOWS_ARCH MATCHES "^(i686|x86_64)$")
    message(FATAL_ERROR "LUMISAT_WINDOWS_ARCH must be i686 or x86_64, not '${LUMISAT_WINDOWS_ARCH}'")
endif()
# The compiler checks configure projects of their own: they need it too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUMISAT_WINDOWS_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LUMISAT_WINDOWS_ARCH})
set(prefix ${LUMISAT_WINDOWS_ARCH}-w64-mingw32)
# The posix thread model: std::thread and std::mutex need it.
set(CMAKE_C_COMPILER ${prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(LUMISAT_WINDOWS_ARCH STREQUAL "i686")
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
else()
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
