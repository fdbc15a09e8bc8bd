# Helpers shared by every folder's CMake file.

# Warnings every target of ours is built with; CI adds -Werror.
function(skivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(SKIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A static library built twice: NAME with the full rules and NAME_classic with
# the classic rules (SKIVO_CLASSIC defined for it and for everything linking it).
function(skivo_add_ruled_library name)
  add_library(${name} STATIC)
  add_library(${name}_classic STATIC)
  target_compile_definitions(${name}_classic PUBLIC SKIVO_CLASSIC)
  skivo_warnings(${name})
  skivo_warnings(${name}_classic)
endfunction()

# Adds sources (relative to the calling folder) to both rule-set variants of a
# ruled library, and that folder to their public include path.
function(skivo_ruled_sources name)
  foreach(variant ${name} ${name}_classic)
    foreach(src ${ARGN})
      target_sources(${variant} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${src})
    endforeach()
    target_include_directories(${variant} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  endforeach()
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
