# The per-user Windows Installer package, korvanex-<version>-x64.msi, built
# by `cmake --build build --target msi` with wixl from installer/korvanex.wxs
# over a fresh `cmake --install` of the build tree (build/msi/<name>).
# Windows Installer compares three version fields, so the package takes the
# first three of the project's.
set(KORVANEX_MSI_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(KORVANEX_MSI_FILE ${CMAKE_BINARY_DIR}/korvanex-${KORVANEX_MSI_VERSION}-x64.msi)
# Named as the release ZIP's top folder, which is made from it.
set(KORVANEX_MSI_STAGE ${CMAKE_BINARY_DIR}/msi/korvanex-${PROJECT_VERSION}-x64)
set(KORVANEX_WXS ${PROJECT_SOURCE_DIR}/installer/korvanex.wxs)

find_program(KORVANEX_WIXL wixl)
find_program(KORVANEX_OSSLSIGNCODE osslsigncode)
# Empty: the build's environment decides (KORVANEX_SIGN_CERT, ...). The
# certificate and key stay outside the repository.
set(KORVANEX_SIGN_CERT "" CACHE FILEPATH "PEM certificate (chain) to sign the program, the DLL and the MSI with")
set(KORVANEX_SIGN_KEY "" CACHE FILEPATH "PEM private key of KORVANEX_SIGN_CERT")
set(KORVANEX_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signatures")

add_custom_target(msi
  COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSTAGE_DIR=${KORVANEX_MSI_STAGE} -DWXS=${KORVANEX_WXS}
    -DVERSION=${KORVANEX_MSI_VERSION} -DOUTPUT=${KORVANEX_MSI_FILE}
    -DWIXL=${KORVANEX_WIXL} -DOSSLSIGNCODE=${KORVANEX_OSSLSIGNCODE}
    -DSIGN_CERT=${KORVANEX_SIGN_CERT} -DSIGN_KEY=${KORVANEX_SIGN_KEY}
    -DSIGN_TIMESTAMP_URL=${KORVANEX_SIGN_TIMESTAMP_URL}
    -P ${PROJECT_SOURCE_DIR}/cmake/makeMsi.cmake
  BYPRODUCTS ${KORVANEX_MSI_FILE}
  COMMENT "Building ${KORVANEX_MSI_FILE}"
  VERBATIM)
# What cmake --install copies.
add_dependencies(msi korGUILogController korSharedSettings korSharedSettingsMicrosoftImportLibrary)

# build/release: the MSI, a ZIP of the same files and SHA256SUMS.
add_custom_target(release
  COMMAND ${CMAKE_COMMAND} -DSTAGE_DIR=${KORVANEX_MSI_STAGE} -DMSI=${KORVANEX_MSI_FILE}
    -DRELEASE_DIR=${CMAKE_BINARY_DIR}/release -P ${PROJECT_SOURCE_DIR}/cmake/release.cmake
  VERBATIM)
add_dependencies(release msi)
