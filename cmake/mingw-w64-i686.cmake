# Cross-compiling for 32-bit Windows with the posix-thread flavour of
# mingw-w64; the tests run through Wine's 32-bit part (wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELLORA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
