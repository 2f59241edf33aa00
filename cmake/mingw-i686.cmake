# 32-bit Windows with Debian's MinGW-w64 i686 cross compiler (posix threads).
#   -DTRIPART_WIN_GMP=<prefix>   GMP cross-built for this target (tools/wincross.sh gmp): the
#                                library and its tests link, and the tests run under Wine.
#   -DTRIPART_WIN_QT=<prefix>    a static Qt 5.15 for this target (tools/wincross.sh qt): the
#                                program as well.
# Without GMP only the library is compiled, against the i386 GMP headers (libgmp-dev:i386; the
# same 32-bit limbs as on Win32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${TRIPART_WIN_GMP} ${TRIPART_WIN_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No DLL beyond Windows' own: the compiler's runtime goes into each executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

if(TRIPART_WIN_GMP)
  set(ENV{PKG_CONFIG_LIBDIR} ${TRIPART_WIN_GMP}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(TRIPART_GTEST_FROM_SOURCE ON CACHE BOOL "" FORCE)
  set(TRIPART_GMP_HEADERS_FROM "" CACHE STRING "" FORCE)
else()
  set(TRIPART_GMP_HEADERS_FROM /usr/include/i386-linux-gnu/gmp.h /usr/include/gmpxx.h CACHE STRING "" FORCE)
  set(TRIPART_TESTS OFF CACHE BOOL "" FORCE)
endif()
if(TRIPART_WIN_QT)
  set(TRIPART_QT_MAJOR 5 CACHE STRING "" FORCE)
  set(TRIPART_UI ON CACHE BOOL "" FORCE)
else()
  set(TRIPART_UI OFF CACHE BOOL "" FORCE)
endif()
set(TRIPART_BENCH OFF CACHE BOOL "" FORCE)
