# cmake -DSTAGE_DIR=... -DMSI=... -DRELEASE_DIR=... -P release.cmake
# The release folder: the MSI, a ZIP of the same installed tree (so the ZIP's
# binaries are the MSI's, signed when it is) under one top folder named after
# STAGE_DIR, and SHA256SUMS over both in sha256sum's format.
cmake_minimum_required(VERSION 3.25)

get_filename_component(stageParent ${STAGE_DIR} DIRECTORY)
get_filename_component(packageName ${STAGE_DIR} NAME)
get_filename_component(msiName ${MSI} NAME)
set(zipName ${packageName}.zip)

file(REMOVE_RECURSE ${RELEASE_DIR})
file(MAKE_DIRECTORY ${RELEASE_DIR})
file(COPY_FILE ${MSI} ${RELEASE_DIR}/${msiName})
# Archive paths are taken relative to the working folder.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${RELEASE_DIR}/${zipName} --format=zip ${packageName}
  WORKING_DIRECTORY ${stageParent} COMMAND_ERROR_IS_FATAL ANY)

set(sums "")
foreach(name IN ITEMS ${msiName} ${zipName})
  file(SHA256 ${RELEASE_DIR}/${name} hash)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${RELEASE_DIR}/SHA256SUMS "${sums}")
message(STATUS "Release in ${RELEASE_DIR}:\n${sums}")
