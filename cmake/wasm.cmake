# WebAssembly with Debian's emscripten, for the web page (tools/web.sh):
#   -DTRIPART_WASM_GMP=<prefix>   GMP built for it (tools/wincross.sh wasm32 gmp)
# Only the library, the window's design and the page; no window, tests or benchmarks.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
list(APPEND CMAKE_FIND_ROOT_PATH ${TRIPART_WASM_GMP})
set(ENV{PKG_CONFIG_LIBDIR} ${TRIPART_WASM_GMP}/lib/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(TRIPART_UI OFF CACHE BOOL "" FORCE)
set(TRIPART_TESTS OFF CACHE BOOL "" FORCE)
set(TRIPART_BENCH OFF CACHE BOOL "" FORCE)
# A run or a count that breaks off (memory, an overflowing counter) is caught and reported, as
# on the desktop.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
