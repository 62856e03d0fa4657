# Shared part of the mingw-w64 toolchain files; TARNEL_MINGW_PREFIX names the target.
set(CMAKE_C_COMPILER ${TARNEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNEL_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TARNEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static C++ and thread runtimes: the programs need no DLL beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
