# The package for the profiler family's other programs: bin/ (the log
# controller, the DLL), lib/ (the GNU and the Microsoft import library, the
# CMake package configuration), include/ (the public headers and the ones
# they include). CPack zips the same tree.
include(CMakePackageConfigHelpers)

install(TARGETS korGUILogController RUNTIME DESTINATION bin)
install(TARGETS korSharedSettings EXPORT korSharedSettingsTargets
  RUNTIME DESTINATION bin
  ARCHIVE DESTINATION lib)
target_include_directories(korSharedSettings INTERFACE $<INSTALL_INTERFACE:include>)
install(FILES $<TARGET_PROPERTY:korSharedSettings,KORVANEX_MICROSOFT_IMPORT_LIBRARY> DESTINATION lib)

# The public header and everything it includes, nothing more.
install(FILES
  shared/sharedSettings.h shared/sharedSettingsApi.h shared/MemoryData.h shared/SettingDataQexal.h
  shared/SettingDataKorvane.h shared/profilerHookDebugData.h shared/stubStringList.h
  DESTINATION include/shared)
install(FILES settings/SettingData.h DESTINATION include/settings)
install(FILES support/stubCriticalSection.h support/stubSyncObject.h support/CZeltrixStubObject.h
  support/stubString.h
  DESTINATION include/support)

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
