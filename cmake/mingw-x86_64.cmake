# 64-bit Windows with Debian's MinGW-w64 x86_64 cross compiler; see mingw.cmake.
set(TRIPART_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
