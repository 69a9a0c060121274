# Windows x86 with Debian's mingw-w64 cross compiler (posix threads, for std::thread).
# cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(THINFOLD_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# Doubles in SSE2 registers, as on x64: the x87 unit's 80-bit intermediates would round
# differently and make the reduced keys differ from the other targets.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
