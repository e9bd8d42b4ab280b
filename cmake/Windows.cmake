set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

target_link_libraries(core PUBLIC advapi32 winspool version user32 gdi32 shell32 comctl32)

# Test doubles and stand-ins of what lies outside the system (tests/fixtures/<name>/).
file(GLOB FIXTURE_LISTS CONFIGURE_DEPENDS tests/fixtures/*/CMakeLists.txt)
foreach(list ${FIXTURE_LISTS})
  get_filename_component(dir ${list} DIRECTORY)
  add_subdirectory(${dir})
endforeach()

file(GLOB CONTRACT_TEST_SOURCES CONFIGURE_DEPENDS tests/contract/*.cpp tests/windows/*.cpp)
add_executable(windows_tests ${CONTRACT_TEST_SOURCES} tests/contract/windows/ContractEnv.cpp)
target_include_directories(windows_tests PRIVATE tests)
target_compile_definitions(windows_tests PRIVATE SOURCE_ROOT="${CMAKE_SOURCE_DIR}")
target_link_libraries(windows_tests PRIVATE core gtest gtest_main)
gtest_discover_tests(windows_tests DISCOVERY_TIMEOUT 120
  PROPERTIES ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")

# The shipped programs are added by their own folders once they exist.
foreach(program wizard uninstall)
  if(EXISTS ${CMAKE_SOURCE_DIR}/src/${program}/CMakeLists.txt)
    add_subdirectory(src/${program})
  endif()
endforeach()

# What ships and what the tests load must import system DLLs only.
add_test(NAME WindowsBinariesImportSystemDllsOnly
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports ${CMAKE_BINARY_DIR})
