# The library as other programs use it: the names of its targets, in this tree
# and installed, and its install rules (component dev), with a CMake package
# file, so that a program outside the tree can say
#
#   find_package(skivo 1.0 REQUIRED)           # COMPONENTS core scenario arena input watch
#   target_link_libraries(app PRIVATE skivo::scenario)
#
# skivo::math, skivo::io, skivo::world, skivo::sim, skivo::ai
#                  one per folder of the core, each linking those beneath it
# skivo::core      math, io, world, sim and ai together; no SDL, no GL
# skivo::cli       the programs' option table
# skivo::scenario  a world assembled from its definition (skWorld), with the
#                  built-in scenario (bodies and minds, no drawing)
# skivo::arena     the headless arena, usable as a library (skArena.h) and as a
#                  program's whole command line (skArenaProgram.h)
# skivo::input     the SDL keyboard and joystick devices; carries SDL 1.2
# skivo::gfx       the drawing of the world; carries SDL and OpenGL
# skivo::watch     the arena's window (skArenaWatch.h); carries SDL and OpenGL
#
# The public headers go to one folder, include/skivo, with an umbrella header
# per library (<skivo/world.h>, <skivo/core.h>, ...); programs include them as
# <skivo/skCharacter.h>, and the headers each other by bare name. The libraries are
# static, as in the tree, or shared when built with -DBUILD_SHARED_LIBS=ON;
# the link dependencies travel with the targets.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SKIVO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/skivo)
set(skivo_core_parts skivo_math skivo_io skivo_world skivo_sim skivo_ai)
set(skivo_exported ${skivo_core_parts} skivo_core skivo_cli skivo_scenario skivo_arena skivo_input
                   skivo_gfx skivo_watch)

foreach(target ${skivo_exported})
  string(REPLACE "skivo_" "" name ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  if(NOT target STREQUAL skivo_core)  # skivo_core is only its parts
    set_target_properties(${target} PROPERTIES VERSION ${PROJECT_VERSION}
                                               SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  # In the tree the same names work, so the examples build alike in and out of it.
  add_library(skivo::${name} ALIAS ${target})
endforeach()
# A program compiles our headers as C++17 at least, and finds them installed.
target_compile_features(skivo_math PUBLIC cxx_std_17)
foreach(target ${skivo_exported})
  if(NOT target STREQUAL skivo_core)
    target_include_directories(${target} PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  endif()
endforeach()

# Headers: each installed library's public ones and its umbrella header, all
# in include/skivo; the libraries' private headers stay in the tree.
foreach(target ${skivo_exported})
  get_target_property(headers ${target} SKIVO_PUBLIC_HEADERS)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/skivo COMPONENT dev)
endforeach()

# Three export sets: a program that uses neither the input devices nor the
# window needs no SDL or OpenGL to find the package. Shared libraries belong
# to the programs too (component game), their development links to dev.
foreach(set Targets InputTargets WatchTargets)
  if(set STREQUAL Targets)
    set(members ${skivo_core_parts} skivo_core skivo_cli skivo_scenario skivo_arena)
  elseif(set STREQUAL InputTargets)
    set(members skivo_input)
  else()
    set(members skivo_gfx skivo_watch)
  endif()
  install(TARGETS ${members} EXPORT skivo${set}
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT game NAMELINK_COMPONENT dev)
  install(EXPORT skivo${set} NAMESPACE skivo:: DESTINATION ${SKIVO_INSTALL_CMAKEDIR}
          COMPONENT dev)
endforeach()
# A stripped install (cmake --install --strip, the Debian package) takes only
# the debugging information out of the archives: a program links their symbols.
if(NOT BUILD_SHARED_LIBS)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      foreach(name math io world sim ai cli scenario arena input gfx watch)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/libskivo_\${name}.a\"
          COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()" COMPONENT dev)
endif()

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/skivoConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/skivoConfig.cmake INSTALL_DESTINATION ${SKIVO_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/skivoConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/skivoConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/skivoConfigVersion.cmake
        DESTINATION ${SKIVO_INSTALL_CMAKEDIR} COMPONENT dev)

# The examples, ready to build against the installed copy, and their guide.
set(SKIVO_INSTALL_DEVDOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/skivo-dev)
install(FILES ${PROJECT_SOURCE_DIR}/examples/CMakeLists.txt
              ${PROJECT_SOURCE_DIR}/examples/controller_tree.cpp
              ${PROJECT_SOURCE_DIR}/examples/arena_match.cpp
              ${PROJECT_SOURCE_DIR}/examples/own_controller.cpp
              ${PROJECT_SOURCE_DIR}/examples/planning_skills.cpp
        DESTINATION ${SKIVO_INSTALL_DEVDOCDIR}/examples COMPONENT dev)
install(FILES ${PROJECT_SOURCE_DIR}/docs/controllers.md
        DESTINATION ${SKIVO_INSTALL_DEVDOCDIR} COMPONENT dev)
