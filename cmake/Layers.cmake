# The layering of src/: every folder and the folders it may use, the one place it is written.
# Arrows point down: common at the bottom, the programs on top, nothing uses a folder above
# it. Each folder's library links the libraries of the folders listed here, and the build's
# first step (cmake/CheckLayers.cmake, which reads this file too) refuses an #include
# "<folder>/..." of a folder that is not listed.
#
# - ui is the dialog framework beside the engine: it uses common at most.
# - uninstall reads Uninstall.ini and the spooler itself: it needs neither the package reader
#   nor setup's engine.
# - checkmedium reports what setup and uninstall would do with a medium. It uses setup's
#   engine, ports and package directly, and the uninstaller's membership rules of
#   Uninstall.ini, which exist for the uninstaller alone and stay in its folder (its library
#   holds no window code). It does not use the wizard: the wizard's rules it needs are in
#   package and ports.
set(LAYERS common package ports engine ui wizard uninstall checkmedium)
set(LAYER_USES_common "")
set(LAYER_USES_package common)
set(LAYER_USES_ports package common)
set(LAYER_USES_engine ports package common)
set(LAYER_USES_ui common)
set(LAYER_USES_wizard engine ports package ui common)
set(LAYER_USES_uninstall ui common)
set(LAYER_USES_checkmedium uninstall engine ports package common)

# Links `target` to the libraries of the folders `folder` may use, those that this build has
# (ui and the window libraries exist in the Windows build only).
function(link_layers target folder)
  foreach(used ${LAYER_USES_${folder}})
    if(TARGET ${used}_lib)
      target_link_libraries(${target} PUBLIC ${used}_lib)
    endif()
  endforeach()
endfunction()

# The library <folder>_lib of src/<folder>/*.cpp (its window/ subfolder apart), or of the
# sources given; it is built after the include check.
function(add_layer_library folder)
  set(sources ${ARGN})
  if(NOT sources)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  endif()
  add_library(${folder}_lib STATIC ${sources})
  add_dependencies(${folder}_lib check_layers)
  link_layers(${folder}_lib ${folder})
endfunction()

# The include check, run by every build before any library is compiled.
function(add_layer_check)
  add_custom_target(check_layers ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -P ${CMAKE_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking the includes of src/ against the layering"
    VERBATIM)
endfunction()
