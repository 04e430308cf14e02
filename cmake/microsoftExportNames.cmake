# cmake -DOBJDUMP=... -DMICROSOFT_OBJECT=... -DGNU_OBJECT=... -DLIBRARY=...
#       -DEXPORTS_DEF=... -DIMPORT_DEF=... -P microsoftExportNames.cmake
#
# Pairs the two compilations of shared/exportProbe.cpp: each section
# .kxname$<entry> calls one symbol, named the Microsoft way in one object and
# our way in the other. Writes EXPORTS_DEF, for our linker, which exports
# every Microsoft name as an alias of our symbol, and IMPORT_DEF, the
# Microsoft names alone, for the Microsoft import library of LIBRARY.
function(read_entries object result)
  execute_process(COMMAND ${OBJDUMP} -r ${object} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" lines "${dump}")
  set(entry "")
  set(keys "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^RELOCATION RECORDS FOR \\[\\.kxname\\$([A-Za-z0-9_]+)\\]:")
      set(entry ${CMAKE_MATCH_1})
      list(APPEND keys ${entry})
    elseif(line MATCHES "^RELOCATION RECORDS FOR")
      set(entry "")
    elseif(entry AND line MATCHES "^[0-9a-f]+ +IMAGE_REL_AMD64_REL32 +([^ ]+)$")
      set(symbol ${CMAKE_MATCH_1})
      if(DEFINED symbol_${entry} AND NOT symbol_${entry} STREQUAL symbol)
        message(FATAL_ERROR "${object}: entry ${entry} calls more than one symbol")
      endif()
      set(symbol_${entry} ${symbol})
      set(${result}_${entry} ${symbol} PARENT_SCOPE)
    endif()
  endforeach()
  list(SORT keys)
  set(${result} ${keys} PARENT_SCOPE)
endfunction()

read_entries(${MICROSOFT_OBJECT} microsoft)
read_entries(${GNU_OBJECT} gnu)
if(NOT microsoft OR NOT microsoft STREQUAL gnu)
  message(FATAL_ERROR "the two compilations name different entries: [${microsoft}] and [${gnu}]")
endif()

set(exports "EXPORTS\n")
set(imports "LIBRARY ${LIBRARY}\nEXPORTS\n")
foreach(entry IN LISTS microsoft)
  if(NOT DEFINED microsoft_${entry} OR NOT DEFINED gnu_${entry})
    message(FATAL_ERROR "entry ${entry} calls nothing")
  endif()
  string(APPEND exports "    \"${microsoft_${entry}}\" = ${gnu_${entry}}\n")
  string(APPEND imports "    \"${microsoft_${entry}}\"\n")
endforeach()
# Unchanged files keep their time, so the programs relink only on a change.
foreach(pair "EXPORTS_DEF;exports" "IMPORT_DEF;imports")
  list(GET pair 0 path)
  list(GET pair 1 content)
  file(WRITE ${${path}}.new "${${content}}")
  file(COPY_FILE ${${path}}.new ${${path}} ONLY_IF_DIFFERENT)
  file(REMOVE ${${path}}.new)
endforeach()
