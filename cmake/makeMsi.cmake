# cmake [-D...] -P makeMsi.cmake
# Builds the per-user installer from an installed tree:
#   BUILD_DIR    (optional) a build tree installed afresh into STAGE_DIR first
#   STAGE_DIR    the installed tree, the MSI's file source
#   WXS          the installer source, every Source in it relative to STAGE_DIR
#   VERSION      the package version, three fields
#   OUTPUT       the MSI to write
#   WIXL, OSSLSIGNCODE  the tools
#   SIGN_CERT, SIGN_KEY, SIGN_TIMESTAMP_URL  (optional) signing; each falls back
#                to the environment variable KORVANEX_SIGN_CERT, _KEY, _TIMESTAMP_URL
# With a certificate and key, the program and the DLL are signed before they
# go into the MSI, and the MSI last.
cmake_minimum_required(VERSION 3.25)

if(NOT WIXL)
  message(FATAL_ERROR "wixl not found: install Debian's wixl and msitools (scripts/setup.sh does)")
endif()

foreach(setting IN ITEMS CERT KEY TIMESTAMP_URL)
  if(NOT SIGN_${setting} AND DEFINED ENV{KORVANEX_SIGN_${setting}})
    set(SIGN_${setting} "$ENV{KORVANEX_SIGN_${setting}}")
  endif()
endforeach()
if((SIGN_CERT AND NOT SIGN_KEY) OR (SIGN_KEY AND NOT SIGN_CERT))
  message(FATAL_ERROR "Signing needs both a certificate and a key (KORVANEX_SIGN_CERT, KORVANEX_SIGN_KEY)")
endif()
if(SIGN_CERT AND NOT OSSLSIGNCODE)
  message(FATAL_ERROR "osslsigncode not found: install Debian's osslsigncode to sign")
endif()

function(sign file)
  set(command ${OSSLSIGNCODE} sign -certs ${SIGN_CERT} -key ${SIGN_KEY} -h sha256
    -n "Korvane x64 log controller")
  if(SIGN_TIMESTAMP_URL)
    list(APPEND command -ts ${SIGN_TIMESTAMP_URL})
  endif()
  file(REMOVE ${file}.signed)
  execute_process(COMMAND ${command} -in ${file} -out ${file}.signed
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Signing ${file} failed:\n${output}")
  endif()
  file(RENAME ${file}.signed ${file})
endfunction()

# wixl runs in the staged tree: paths given relative to here must not move.
foreach(path IN ITEMS STAGE_DIR OUTPUT WXS)
  get_filename_component(${path} "${${path}}" ABSOLUTE)
endforeach()

if(BUILD_DIR)
  file(REMOVE_RECURSE ${STAGE_DIR})
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE_DIR}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()

# The installer must carry exactly what cmake --install lays out.
file(READ ${WXS} source)
string(REGEX MATCHALL "[ \t\n]Source=\"[^\"]+\"" sources "${source}")
list(TRANSFORM sources REPLACE "^[ \t\n]Source=\"([^\"]+)\"$" "\\1")
list(SORT sources)
file(GLOB_RECURSE staged RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
list(SORT staged)
if(NOT sources STREQUAL staged)
  set(missing ${staged})
  list(REMOVE_ITEM missing ${sources})
  set(extra ${sources})
  list(REMOVE_ITEM extra ${staged})
  message(FATAL_ERROR "${WXS} does not match the installed tree.\n"
    "Installed but not in the installer: ${missing}\nIn the installer but not installed: ${extra}")
endif()

if(SIGN_CERT)
  file(GLOB binaries ${STAGE_DIR}/bin/*.exe ${STAGE_DIR}/bin/*.dll)
  foreach(binary IN LISTS binaries)
    sign(${binary})
  endforeach()
endif()

# wixl reports unsupported attributes as warnings and exits 0: any word from
# it fails the build. It takes relative source paths only, from its working
# folder; files of the source tree are reached through ProjectDir.
file(REMOVE ${OUTPUT})
get_filename_component(projectDir ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
file(RELATIVE_PATH projectDir ${STAGE_DIR} ${projectDir})
execute_process(COMMAND ${WIXL} --arch x64 --define Version=${VERSION} --define ProjectDir=${projectDir}
  --output ${OUTPUT} ${WXS}
  WORKING_DIRECTORY ${STAGE_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "wixl failed on ${WXS}:\n${output}")
endif()

if(SIGN_CERT)
  sign(${OUTPUT})
endif()
