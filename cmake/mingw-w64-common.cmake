set(CMAKE_C_COMPILER ${VELLORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELLORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELLORA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELLORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static programs: without -static the executables want
# libwinpthread-1.dll and silently die under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run through Wine. tools/test prepares the prefix and display.
find_program(VELLORA_WINE NAMES wine wine64 PATHS /usr/bin /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VELLORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELLORA_WINE})
endif()
