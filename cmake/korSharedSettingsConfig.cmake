# find_package(korSharedSettings): the shared settings DLL as the imported
# target korSharedSettings::korSharedSettings (headers, GNU import library).
# Microsoft's import library korSharedSettings.lib lies in the same folder
# as the GNU one, for Microsoft's linker.
include("${CMAKE_CURRENT_LIST_DIR}/korSharedSettingsTargets.cmake")
