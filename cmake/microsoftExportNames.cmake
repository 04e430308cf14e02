# cmake -DOBJDUMP=... [-DCXXFILT=...] -DMICROSOFT_OBJECT=... -DGNU_OBJECT=...
#       -DEXPORTING_OBJECTS=<list> -DPROBE=... -DLIBRARY=...
#       -DEXPORTS_DEF=... -DIMPORT_DEF=... -P microsoftExportNames.cmake
#
# Pairs the two compilations of the probe: each section .kxname$<entry>
# calls one symbol, named the Microsoft way in one object and our way in
# the other. Our compilation says besides, in .kxmember$<entry>, which
# exported member an entry stands for when its Microsoft name resolves to a
# thunk, or when the member has no Microsoft name at all (an entry with no
# .kxname section). Every member that EXPORTING_OBJECTS export (their
# -export: directives) must be named by an entry, and every entry must name
# an exported member: otherwise nothing is written and the build stops.
# Writes EXPORTS_DEF, for our linker, which exports every Microsoft name as
# an alias of our symbol, and IMPORT_DEF, the Microsoft names alone, for the
# Microsoft import library of LIBRARY.

# The sections of object whose names start with prefix: result lists their
# entries, result_<entry> the one symbol each calls.
function(read_entries object prefix result)
  execute_process(COMMAND ${OBJDUMP} -r ${object} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  string(REPLACE "\n" ";" lines "${dump}")
  set(entry "")
  set(keys "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^RELOCATION RECORDS FOR \\[\\${prefix}\\$([A-Za-z0-9_]+)\\]:")
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
  foreach(entry IN LISTS keys)
    if(NOT DEFINED symbol_${entry})
      message(FATAL_ERROR "${object}: entry ${entry} calls nothing")
    endif()
  endforeach()
  list(SORT keys)
  set(${result} ${keys} PARENT_SCOPE)
endfunction()

# One name per member: GCC exports a constructor or destructor once per
# variant (complete and base object), Microsoft's ABI names it once.
function(member_of symbol result)
  string(REGEX REPLACE "^(_ZN.+)([CD])[0-2](E.*)$" "\\1\\21\\3" member "${symbol}")
  set(${result} ${member} PARENT_SCOPE)
endfunction()

function(readable symbol result)
  set(text ${symbol})
  if(CXXFILT)
    execute_process(COMMAND ${CXXFILT} ${symbol} OUTPUT_VARIABLE text OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(APPEND text " (${symbol})")
  endif()
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

read_entries(${MICROSOFT_OBJECT} .kxname microsoft)
read_entries(${GNU_OBJECT} .kxname gnu)
read_entries(${GNU_OBJECT} .kxmember member)
if(NOT microsoft OR NOT microsoft STREQUAL gnu)
  message(FATAL_ERROR "the two compilations name different entries: [${microsoft}] and [${gnu}]")
endif()

# What the objects export, by their linker directives: -export:name or
# -export:"name", optionally followed by ,data.
set(exported "")
foreach(object IN LISTS EXPORTING_OBJECTS)
  # An object that exports nothing has no such section: objdump only warns.
  execute_process(COMMAND ${OBJDUMP} -s -j .drectve ${object} OUTPUT_VARIABLE dump ERROR_QUIET
                  COMMAND_ERROR_IS_FATAL ANY)
  # The dump's rows: an offset, then up to 16 bytes in hex in a column 35
  # characters wide, then the same bytes as text.
  string(REPLACE "\n" ";" rows "${dump}")
  set(hex "")
  foreach(row IN LISTS rows)
    if(row MATCHES "^ [0-9a-f]+ (.*)$")
      string(SUBSTRING "${CMAKE_MATCH_1}" 0 35 bytes)
      string(REPLACE " " "" bytes "${bytes}")
      string(APPEND hex "${bytes}")
    endif()
  endforeach()
  string(LENGTH "${hex}" length)
  set(directives "")
  if(length GREATER 0)
    math(EXPR last "${length} - 2")
    foreach(i RANGE 0 ${last} 2)
      string(SUBSTRING "${hex}" ${i} 2 byte)
      math(EXPR code "0x${byte}")
      if(code EQUAL 0) # padding
        set(code 32)
      endif()
      string(ASCII ${code} character)
      string(APPEND directives "${character}")
    endforeach()
  endif()
  string(REGEX MATCHALL "-export:(\"[^\"]+\"|[^ ,\"]+)" found "${directives}")
  foreach(directive IN LISTS found)
    string(REGEX REPLACE "^-export:\"?([^\"]+)\"?$" "\\1" symbol "${directive}")
    member_of(${symbol} symbol)
    list(APPEND exported ${symbol})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES exported)

# The member of each entry: its own .kxmember, or else what it calls.
set(named "")
foreach(entry IN LISTS member gnu)
  if(DEFINED member_${entry})
    member_of(${member_${entry}} symbol)
  else()
    member_of(${gnu_${entry}} symbol)
  endif()
  list(APPEND named ${symbol})
  list(FIND exported ${symbol} found)
  if(found EQUAL -1)
    readable(${symbol} text)
    message(FATAL_ERROR "${PROBE}: entry ${entry} stands for ${text}, which is not exported")
  endif()
endforeach()
set(unnamed ${exported})
list(REMOVE_ITEM unnamed ${named})
if(unnamed)
  set(members "")
  foreach(symbol IN LISTS unnamed)
    readable(${symbol} text)
    string(APPEND members "\n  ${text}")
  endforeach()
  message(FATAL_ERROR "exported without a Microsoft name:${members}\n"
                      "Give each an entry in ${PROBE}.")
endif()

set(exports "EXPORTS\n")
set(imports "LIBRARY ${LIBRARY}\nEXPORTS\n")
foreach(entry IN LISTS microsoft)
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
