# The native 32-bit build with clang: a second compiler, and the one whose
# libFuzzer drives the fuzz target.
include(${CMAKE_CURRENT_LIST_DIR}/linux-i386.cmake)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
