target_link_libraries(common_lib PUBLIC advapi32 winspool version user32 gdi32 shell32 comctl32)

# The release tree (PROGRAMS_ONLY) builds what ships and checks it; the test trees add the test
# programs and their doubles.
if(NOT PROGRAMS_ONLY)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)


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
  target_link_libraries(windows_tests PRIVATE engine_lib gtest gtest_main)
  # Discovery runs the test program under Wine; a machine that cannot start this build's Wine
  # (the 32-bit build where 32-bit programs are refused) still builds it, without registering.
  if(WINDOWS_TESTS_RUN)
    gtest_discover_tests(windows_tests DISCOVERY_TIMEOUT 120
      PROPERTIES ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
    # The 64-bit cases of the WOW64 contract need a win64 prefix, where this 32-bit build runs
    # under WOW64; only a machine that runs 32-bit programs can start it there.
    execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/windows-mode OUTPUT_VARIABLE windows_mode
      OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(MINGW_ARCH STREQUAL i686 AND windows_mode STREQUAL 32)
      add_test(NAME Wow64ContractInA64BitPrefix
        COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-run --wow64 $<TARGET_FILE:windows_tests>
          --gtest_filter=Kinds/Wow64Contract.*/Windows64)
      # A prefix that is not WOW64 skips every case: that is a failure here.
      set_tests_properties(Wow64ContractInA64BitPrefix PROPERTIES TIMEOUT 300
        FAIL_REGULAR_EXPRESSION "Skipped[\r\n]+a 32-bit system")
    endif()
  endif()
endif()

# The dialog framework, then the shipped programs and the medium checker, each in its own folder.
foreach(program ui wizard uninstall checkmedium)
  if(EXISTS ${CMAKE_SOURCE_DIR}/src/${program}/CMakeLists.txt)
    add_subdirectory(src/${program})
  endif()
endforeach()

# The end-to-end tier stages the programs on its medium, so it comes after them.
if(NOT PROGRAMS_ONLY)
  add_subdirectory(tests/e2e)
endif()

set(shipped "")
foreach(program setup uninstall checkmedium)
  if(TARGET ${program})
    list(APPEND shipped $<TARGET_FILE:${program}>)
  endif()
endforeach()

# Checks that need no Wine carry the label "static", so that the 64-bit mode can still run them
# on the 32-bit tree.
if(NOT PROGRAMS_ONLY OR shipped)
  # What ships and what the tests load must import system DLLs only.
  add_test(NAME WindowsBinariesImportSystemDllsOnly
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports ${CMAKE_BINARY_DIR})
  set_tests_properties(WindowsBinariesImportSystemDllsOnly PROPERTIES LABELS static)
endif()
if(PROGRAMS_ONLY AND shipped)
  # What ships must start on XP and Server 2003: nothing it imports may be newer.
  add_test(NAME ShippedProgramsImportNothingNewerThanXp
    COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/xp-exports/check-imports-xp ${shipped})
  add_test(NAME ShippedProgramsFitTheSizeLimit
    COMMAND ${CMAKE_SOURCE_DIR}/tools/check-size 262144 ${shipped})
  set_tests_properties(ShippedProgramsImportNothingNewerThanXp ShippedProgramsFitTheSizeLimit
    PROPERTIES LABELS static)
endif()
