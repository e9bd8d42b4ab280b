# Toolchain for the 64-bit Windows build. It never ships: it exists so that the Windows test
# tiers can run under 64-bit Wine on machines whose kernel refuses 32-bit programs.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
