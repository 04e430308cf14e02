# The package for the profiler family's other programs: bin/ (the log
# controller, the DLL), lib/ (the GNU and the Microsoft import library, the
# CMake package configuration), include/ (the public headers and the ones
# they include). CPack zips the same tree.
include(CMakePackageConfigHelpers)

install(TARGETS korGUILogController RUNTIME DESTINATION bin)
# The headers are the DLL's file set (shared/CMakeLists.txt), installed
# with their folders.
install(TARGETS korSharedSettings EXPORT korSharedSettingsTargets
  RUNTIME DESTINATION bin
  ARCHIVE DESTINATION lib
  FILE_SET HEADERS DESTINATION include)
install(FILES $<TARGET_PROPERTY:korSharedSettings,KORVANEX_MICROSOFT_IMPORT_LIBRARY> DESTINATION lib)

set(packageDir lib/cmake/korSharedSettings)
install(EXPORT korSharedSettingsTargets NAMESPACE korSharedSettings:: DESTINATION ${packageDir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/korSharedSettingsConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES cmake/korSharedSettingsConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/korSharedSettingsConfigVersion.cmake
  DESTINATION ${packageDir})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korSharedSettings)
set(CPACK_PACKAGE_VENDOR OstraVell)
set(CPACK_SYSTEM_NAME win64)
include(CPack)
