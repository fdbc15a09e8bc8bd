# Helpers shared by every folder's CMake file.

# Warnings every target of ours is built with; CI adds -Werror.
function(skivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(SKIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library of ours from sources in the calling folder: static, or shared
# with BUILD_SHARED_LIBS=ON, unless STATIC comes first among the sources.
# Its public headers are the folder's headers less those named after
# PRIVATE_HEADERS; a program includes them as <skivo/NAME.h>, or all of them
# at once through the library's umbrella header <skivo/LIB.h> (skivo_world:
# <skivo/world.h>), the same in the tree as installed. In the tree the folder
# itself is on the include path too, so that the libraries go on including
# each other's headers, private ones included, by bare name.
function(skivo_library target)
  cmake_parse_arguments(arg "" "" "PRIVATE_HEADERS" ${ARGN})
  add_library(${target} ${arg_UNPARSED_ARGUMENTS})
  skivo_warnings(${target})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
                                              $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}/include>)
  skivo_public_headers(${target} ${arg_PRIVATE_HEADERS})
  # A shared library must find every symbol it uses in those it links: the
  # linker, not only the layers test, keeps a folder from reaching above it.
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "SHARED_LIBRARY" AND NOT EMSCRIPTEN)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# The public headers of target (the calling folder's, less the private ones
# given), linked into PROJECT_BINARY_DIR/include/skivo beside a generated
# umbrella header, and noted on the target (SKIVO_PUBLIC_HEADERS, for the
# install rules).
function(skivo_public_headers target)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(private ${ARGN})
    list(REMOVE_ITEM headers ${CMAKE_CURRENT_SOURCE_DIR}/${private})
  endforeach()
  string(REPLACE "skivo_" "" name ${target})
  set(dir ${PROJECT_BINARY_DIR}/include/skivo)
  file(MAKE_DIRECTORY ${dir})
  set(text "// <skivo/${name}.h>: every public header of skivo::${name}. Made by the build.\n#pragma once\n\n")
  foreach(header ${headers})
    get_filename_component(base ${header} NAME)
    file(CREATE_LINK ${header} ${dir}/${base} SYMBOLIC)
    string(APPEND text "#include \"${base}\"\n")
  endforeach()
  file(CONFIGURE OUTPUT ${dir}/${name}.h CONTENT "${text}")
  set_target_properties(${target} PROPERTIES SKIVO_PUBLIC_HEADERS "${headers};${dir}/${name}.h")
endfunction()

# Sanitized builds: every target of ours, compiled and linked alike. Errors
# abort instead of being reported and carried on from.
if(SKIVO_SANITIZE OR SKIVO_FUZZ)
  set(SKIVO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                            -fno-omit-frame-pointer)
  add_compile_options(${SKIVO_SANITIZER_FLAGS})
  add_link_options(${SKIVO_SANITIZER_FLAGS})
endif()
# Fuzzing: coverage instrumentation everywhere; the fuzz programs themselves
# add -fsanitize=fuzzer, which brings libFuzzer's main.
if(SKIVO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "SKIVO_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
