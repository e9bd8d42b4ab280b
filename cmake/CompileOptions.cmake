# Warnings are errors in both builds: a warning in one build is usually a bug in the other.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Werror)
elseif(MSVC)
  add_compile_options(/W4 /WX)
endif()
# Neither shipped program catches an exception (src/ui/SmallRuntime.cpp ends the program at any
# throw), so what ships carries no unwind tables: about a tenth of each program.
if(WIN32 AND PROGRAMS_ONLY)
  add_compile_options(-fno-exceptions -fno-asynchronous-unwind-tables)
endif()
# min/max macros of windows.h clash with the C++ library.
add_compile_definitions(NOMINMAX)

if(NOT WIN32)
  # Wine's headers give the Win32 types and declarations; winsim defines the functions.
  include_directories(SYSTEM /usr/include/wine/wine/windows)
  add_compile_definitions(WINSIM=1)
  if(SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
