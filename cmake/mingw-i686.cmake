# 32-bit Windows with Debian's MinGW-w64 i686 cross compiler. Debian has no GMP built for
# MinGW, so this builds the computation library only, against the i386 GMP headers
# (libgmp-dev:i386; the same 32-bit limbs as on Win32): a compile check, not a program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(TRIPART_GMP_HEADERS_FROM /usr/include/i386-linux-gnu/gmp.h /usr/include/gmpxx.h CACHE STRING "" FORCE)
set(TRIPART_UI OFF CACHE BOOL "" FORCE)
set(TRIPART_TESTS OFF CACHE BOOL "" FORCE)
set(TRIPART_BENCH OFF CACHE BOOL "" FORCE)
