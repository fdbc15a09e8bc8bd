# Helpers shared by every folder's CMake file.

# Warnings every target of ours is built with; CI adds -Werror.
function(skivo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(SKIVO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library of ours from sources in the calling folder, which joins its public
# include path: static, or shared with BUILD_SHARED_LIBS=ON, unless STATIC
# comes first among the sources.
function(skivo_library target)
  add_library(${target} ${ARGN})
  skivo_warnings(${target})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>)
  # A shared library must find every symbol it uses in those it links: the
  # linker, not only the layers test, keeps a folder from reaching above it.
  get_target_property(kind ${target} TYPE)
  if(kind STREQUAL "SHARED_LIBRARY" AND NOT EMSCRIPTEN)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
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
