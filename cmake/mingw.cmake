# Windows with Debian's MinGW-w64 cross compiler (posix threads), for the architecture that
# the including toolchain file sets in TRIPART_MINGW_ARCH (i686 or x86_64).
#   -DTRIPART_WIN_GMP=<prefix>   GMP cross-built for this target (tools/wincross.sh ARCH gmp):
#                                the library and its tests link, and the tests run under Wine.
#   -DTRIPART_WIN_QT=<prefix>    a static Qt 5.15 for this target (tools/wincross.sh ARCH qt):
#                                the program and its window tests as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TRIPART_MINGW_ARCH})
set(host ${TRIPART_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${host}-gcc-posix)
set(CMAKE_CXX_COMPILER ${host}-g++-posix)
set(CMAKE_RC_COMPILER ${host}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${host} ${TRIPART_WIN_GMP} ${TRIPART_WIN_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No DLL beyond Windows' own: the compiler's runtime goes into each executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Debian's wine script takes the 32-bit loader whenever wine32 is installed, so 64-bit
# programs are started with the 64-bit loader itself.
if(TRIPART_MINGW_ARCH STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()

if(TRIPART_WIN_GMP)
  set(ENV{PKG_CONFIG_LIBDIR} ${TRIPART_WIN_GMP}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
  set(TRIPART_GTEST_FROM_SOURCE ON CACHE BOOL "" FORCE)
  set(TRIPART_GMP_HEADERS_FROM "" CACHE STRING "" FORCE)
elseif(TRIPART_MINGW_ARCH STREQUAL "i686")
  # Only the library is compiled, against the i386 GMP headers (libgmp-dev:i386; the same
  # 32-bit limbs as on Win32).
  set(TRIPART_GMP_HEADERS_FROM /usr/include/i386-linux-gnu/gmp.h /usr/include/gmpxx.h CACHE STRING "" FORCE)
  set(TRIPART_TESTS OFF CACHE BOOL "" FORCE)
endif()
# No GMP headers of this machine fit 64-bit Windows (its long has 32 bits): it needs
# -DTRIPART_WIN_GMP.
if(TRIPART_WIN_QT)
  set(TRIPART_QT_MAJOR 5 CACHE STRING "" FORCE)
  set(TRIPART_UI ON CACHE BOOL "" FORCE)
else()
  set(TRIPART_UI OFF CACHE BOOL "" FORCE)
endif()
set(TRIPART_BENCH OFF CACHE BOOL "" FORCE)
