# 32-bit x86 Linux on a 64-bit Debian host: g++-multilib, and the i386 libraries of Debian's
# multiarch (libgmp-dev:i386). GoogleTest is built from its sources in /usr/src/googletest.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(TRIPART_GTEST_FROM_SOURCE ON CACHE BOOL "" FORCE)
# On a machine whose processor cannot execute 32-bit x86 code, the tests run under an emulator
# (-DTRIPART_I686_EMULATOR=/usr/bin/qemu-i386-static); the host's i386 libraries serve it.
if(TRIPART_I686_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIPART_I686_EMULATOR})
endif()
