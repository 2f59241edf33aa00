# 32-bit Windows with Debian's MinGW-w64 i686 cross compiler; see mingw.cmake.
set(TRIPART_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
