# cmake -DCOMPILER=... -DFLAGS=@<response file> -DSOURCE_ROOT=... -DWORK=<scratch folder>
#       -DFILE=<file to edit> -DFROM=<text> -DTO=<text> [-DSWAP=ON] -DCOMPILE=<source>
#       -DEXPECT=<regex> -P rejectedEdit.cmake
# A change the build must refuse: copies the sources, compiles COMPILE as it
# is (it must build, or the refusal proves nothing), then with FROM replaced
# by TO in FILE (or the two exchanged, with SWAP): that compile must fail
# with a message matching EXPECT. Paths are relative to the source root.
file(REMOVE_RECURSE ${WORK})
foreach(dir app framework resources settings shared support)
  file(COPY ${SOURCE_ROOT}/${dir} DESTINATION ${WORK} FILES_MATCHING PATTERN "*.h" PATTERN "*.cpp")
endforeach()

function(compileCopy outcome)
  execute_process(COMMAND ${COMPILER} ${FLAGS} -fsyntax-only -I${WORK} ${WORK}/${COMPILE}
                  RESULT_VARIABLE rc ERROR_VARIABLE errors OUTPUT_VARIABLE output)
  set(${outcome}_rc ${rc} PARENT_SCOPE)
  set(${outcome}_errors "${errors}${output}" PARENT_SCOPE)
endfunction()

compileCopy(unchanged)
if(NOT unchanged_rc EQUAL 0)
  message(FATAL_ERROR "${COMPILE} does not build before the edit:\n${unchanged_errors}")
endif()

file(READ ${WORK}/${FILE} text)
foreach(part FROM TO)
  string(FIND "${text}" "${${part}}" at)
  if(at EQUAL -1 AND (SWAP OR part STREQUAL "FROM"))
    message(FATAL_ERROR "${FILE} no longer holds \"${${part}}\": the edit would test nothing")
  endif()
endforeach()
if(SWAP)
  string(REPLACE "${FROM}" "@rejectedEdit@" text "${text}")
  string(REPLACE "${TO}" "${FROM}" text "${text}")
  string(REPLACE "@rejectedEdit@" "${TO}" text "${text}")
else()
  string(REPLACE "${FROM}" "${TO}" text "${text}")
endif()
file(WRITE ${WORK}/${FILE} "${text}")

compileCopy(edited)
file(REMOVE_RECURSE ${WORK})
if(edited_rc EQUAL 0)
  message(FATAL_ERROR "the build accepted the edit of ${FILE}")
endif()
if(NOT edited_errors MATCHES "${EXPECT}")
  message(FATAL_ERROR "the build stopped, but not with \"${EXPECT}\":\n${edited_errors}")
endif()
message(STATUS "refused: ${EXPECT}")
