# The library as other programs use it: the names of its targets, in this tree
# and installed, and its install rules (component dev), with a CMake package
# file, so that a program outside the tree can say
#
#   find_package(skivo 1.0 REQUIRED)           # COMPONENTS core scenario arena input watch
#   target_link_libraries(app PRIVATE skivo::core)
#
# skivo::core      math, world, sim and ai; no SDL, no GL
# skivo::scenario  a world assembled from its definition (skWorld), with the
#                  built-in scenario (bodies and minds, no drawing)
# skivo::arena     the headless arena, usable as a library (skArena.h) and as a
#                  program's whole command line (skArenaProgram.h)
# skivo::input     the SDL keyboard and joystick devices; carries SDL 1.2
# skivo::watch     the arena's window (skArenaWatch.h); carries SDL and OpenGL
#
# Every header goes to one folder, include/skivo: the headers include each
# other by bare name, and so do programs ("skCharacter.h"). The libraries are
# static, as in the tree, or shared when built with -DBUILD_SHARED_LIBS=ON;
# the link dependencies travel with the targets.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SKIVO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/skivo)
set(skivo_exported skivo_core skivo_scenario skivo_arena skivo_input skivo_gfx skivo_watch)

foreach(target ${skivo_exported})
  string(REPLACE "skivo_" "" name ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name} VERSION ${PROJECT_VERSION}
                                             SOVERSION ${PROJECT_VERSION_MAJOR})
  # In the tree the same names work, so the examples build alike in and out of it.
  add_library(skivo::${name} ALIAS ${target})
  target_include_directories(${target}
    PUBLIC $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/skivo>)
endforeach()
# A program compiles our headers as C++17 at least.
target_compile_features(skivo_core PUBLIC cxx_std_17)

# Headers: the core's four folders, less the SDL devices, which belong to input.
file(GLOB core_headers CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/math/*.h ${PROJECT_SOURCE_DIR}/io/*.h ${PROJECT_SOURCE_DIR}/world/*.h
  ${PROJECT_SOURCE_DIR}/sim/*.h ${PROJECT_SOURCE_DIR}/ai/*.h)
set(input_headers ${core_headers})
list(FILTER core_headers EXCLUDE REGEX "SDL\\.h$")
list(FILTER input_headers INCLUDE REGEX "SDL\\.h$")
# The world's, the scenario's, the option parser's, the adaptive coach's and
# the arena's; not the games' (skGame.h needs the drawing).
file(GLOB arena_headers CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/skWorld*.h ${PROJECT_SOURCE_DIR}/app/skScenario.h
  ${PROJECT_SOURCE_DIR}/app/skCommandLine.h ${PROJECT_SOURCE_DIR}/app/skLearner.h
  ${PROJECT_SOURCE_DIR}/app/skAdaptiveOpponents.h ${PROJECT_SOURCE_DIR}/app/skArena*.h)
install(FILES ${core_headers} ${input_headers} ${arena_headers}
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/skivo COMPONENT dev)

# Three export sets: a program that uses neither the input devices nor the
# window needs no SDL or OpenGL to find the package. Shared libraries belong
# to the programs too (component game), their development links to dev.
foreach(set Targets InputTargets WatchTargets)
  if(set STREQUAL Targets)
    set(members skivo_core skivo_scenario skivo_arena)
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
      foreach(name core scenario arena input gfx watch)
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
        DESTINATION ${SKIVO_INSTALL_DEVDOCDIR}/examples COMPONENT dev)
install(FILES ${PROJECT_SOURCE_DIR}/docs/controllers.md
        DESTINATION ${SKIVO_INSTALL_DEVDOCDIR} COMPONENT dev)
