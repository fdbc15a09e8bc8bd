# Fails unless the guide GUIDE contains the file EXAMPLE verbatim.
file(READ "${GUIDE}" guide)
file(READ "${EXAMPLE}" example)
string(FIND "${guide}" "${example}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${GUIDE} does not quote ${EXAMPLE} as it is now; paste the file again.")
endif()
