# Fails when a source of the core (math/, world/, sim/, ai/) includes an OpenGL
# header, so that the core keeps building and testing without a display.
# Usage: cmake -DSKIVO_SOURCE_DIR=<project root> -P check_core_no_gl.cmake
if(NOT SKIVO_SOURCE_DIR)
  message(FATAL_ERROR "set SKIVO_SOURCE_DIR to the project root")
endif()

set(patterns)
foreach(dir math world sim ai)
  foreach(ext h hh hpp inl c cc cpp cxx)
    list(APPEND patterns "${SKIVO_SOURCE_DIR}/${dir}/*.${ext}")
  endforeach()
endforeach()
file(GLOB_RECURSE sources LIST_DIRECTORIES false ${patterns})
if(NOT sources)
  message(FATAL_ERROR "no core sources found under ${SKIVO_SOURCE_DIR}")
endif()

# #include <GL/...>, "GL/...", <SDL_opengl.h> or <SDL/SDL_opengl.h>.
set(gl_include "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*/)?(GL/[^>\"]+|SDL_opengl[^>\"]*\\.h)[>\"]")
set(offenders)
foreach(f ${sources})
  file(STRINGS "${f}" hits REGEX "${gl_include}")
  foreach(line ${hits})
    file(RELATIVE_PATH rel "${SKIVO_SOURCE_DIR}" "${f}")
    string(STRIP "${line}" line)
    list(APPEND offenders "${rel}: ${line}")
  endforeach()
endforeach()

list(LENGTH sources count)
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "the core must not include GL headers:\n  ${text}")
endif()
message(STATUS "${count} core sources, none includes a GL header")
