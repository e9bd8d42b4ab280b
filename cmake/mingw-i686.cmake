# Toolchain for the 32-bit Windows build, the one that ships.
# MINGW_THREADS picks the compilers' thread model: "posix" for the test programs (GoogleTest
# and the tests' std::thread need it), "win32" for the shipped programs, whose posix runtime
# would import functions that XP and older lack (GetTickCount64).
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
