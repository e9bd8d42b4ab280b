find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB WINSIM_SOURCES CONFIGURE_DEPENDS tests/winsim/*.cpp)
add_library(winsim STATIC ${WINSIM_SOURCES})
target_include_directories(winsim PUBLIC src tests)
# winsim fails the running test when a reset or the end of the test finds handles open.
target_link_libraries(winsim PUBLIC GTest::gtest)

target_link_libraries(common_lib PUBLIC winsim)

# Contract tests run here on winsim and in the Windows build on the real API.
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/contract/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES} tests/contract/native/ContractEnv.cpp)
target_include_directories(unit_tests PRIVATE tests)
target_compile_definitions(unit_tests PRIVATE
  SOURCE_ROOT="${CMAKE_SOURCE_DIR}")
target_link_libraries(unit_tests PRIVATE wizard_lib uninstall_lib checkmedium_lib GTest::gtest
  GTest::gtest_main pthread)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# The cut-off walk (tests/cutoff): test infrastructure that writes docs/interrupted-install.md.
file(GLOB CUTOFF_SOURCES CONFIGURE_DEPENDS tests/cutoff/*.cpp)
add_executable(cutoff_walk ${CUTOFF_SOURCES})
target_include_directories(cutoff_walk PRIVATE tests)
target_compile_definitions(cutoff_walk PRIVATE SOURCE_ROOT="${CMAKE_SOURCE_DIR}")
target_link_libraries(cutoff_walk PRIVATE wizard_lib uninstall_lib pthread)
# The table in the docs stays what the walk gives.
add_test(NAME CutoffWalkTableIsCurrent
  COMMAND cutoff_walk --check ${CMAKE_SOURCE_DIR}/docs/interrupted-install.md)
set_tests_properties(CutoffWalkTableIsCurrent PROPERTIES TIMEOUT 120)
