# Shared part of the mingw-w64 toolchains; THINFOLD_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${THINFOLD_MINGW_TRIPLE})
set(CMAKE_C_COMPILER ${THINFOLD_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${THINFOLD_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${THINFOLD_MINGW_TRIPLE}-windres)

# Libraries and headers come from the target's root only; programs (python, wine) from the build
# machine. The build machine's header-only packages (nlohmann-json, CLI11, stb) are staged in a
# root of their own, so that /usr/include with the Linux C library headers never reaches the
# compiler.
set(THINFOLD_HEADER_ONLY_ROOT ${CMAKE_BINARY_DIR}/header-only)
foreach(package nlohmann_json CLI11)
  file(COPY /usr/share/cmake/${package} DESTINATION ${THINFOLD_HEADER_ONLY_ROOT}/share/cmake)
endforeach()
file(MAKE_DIRECTORY ${THINFOLD_HEADER_ONLY_ROOT}/include)
foreach(folder nlohmann CLI stb)
  file(CREATE_LINK /usr/include/${folder} ${THINFOLD_HEADER_ONLY_ROOT}/include/${folder} SYMBOLIC)
endforeach()
set(CMAKE_FIND_ROOT_PATH /usr/${THINFOLD_MINGW_TRIPLE} ${THINFOLD_HEADER_ONLY_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static C and C++ runtimes and winpthread: the programs and modules run without extra DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
