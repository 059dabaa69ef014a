# The same sources for 64-bit Windows: the build the Wine tests run where the machine cannot
# execute 32-bit code (a kernel without IA-32 emulation cannot start Wine's 32-bit loader).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MORVANTA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
