# Microsoft's decorated names for what our objects export, so that a caller
# built by Microsoft's compiler links the same members. Results travel as
# target properties, never as cache variables.

# korvanex_name_microsoft_exports(<name> PROBE <source> EXPORTED_BY <object library>
#                                 LIBRARY <file name> DEFINITIONS <definitions>...)
#
# Compiles PROBE by the Microsoft-ABI front end and by ours, pairs the two
# entry by entry (cmake/microsoftExportNames.cmake) and checks the pairs
# against the export directives of EXPORTED_BY's objects: the build stops,
# naming the member, when an exported member has no entry in PROBE. Makes
# the custom target <name> with the properties KORVANEX_EXPORTS_DEF (for our
# linker: every Microsoft name as an alias of our symbol) and
# KORVANEX_IMPORT_DEF (the Microsoft names alone, for LIBRARY's import
# library).
function(korvanex_name_microsoft_exports name)
  cmake_parse_arguments(arg "" "PROBE;EXPORTED_BY;LIBRARY" "DEFINITIONS" ${ARGN})
  cmake_path(ABSOLUTE_PATH arg_PROBE BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE probe)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${name})

  add_library(${name}Probe OBJECT ${probe})
  target_compile_definitions(${name}Probe PRIVATE ${arg_DEFINITIONS})
  target_link_libraries(${name}Probe PRIVATE korvanexPlatform)

  list(TRANSFORM arg_DEFINITIONS PREPEND -D OUTPUT_VARIABLE definitions)
  set(probeObject ${out}.msvc.obj)
  add_custom_command(OUTPUT ${probeObject}
    COMMAND ${KORVANEX_CLANG} ${KORVANEX_MSVC_CXX_FLAGS} ${definitions} -I${PROJECT_SOURCE_DIR}
            -MD -MF ${probeObject}.d -c ${probe} -o ${probeObject}
    DEPENDS ${probe}
    DEPFILE ${probeObject}.d
    COMMENT "Naming the exports for Microsoft's ABI"
    COMMAND_EXPAND_LISTS VERBATIM)

  set(exportsDef ${out}.exports.def)
  set(importDef ${out}.imports.def)
  set(script ${PROJECT_SOURCE_DIR}/cmake/microsoftExportNames.cmake)
  add_custom_command(OUTPUT ${exportsDef} ${importDef}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${KORVANEX_LLVM_OBJDUMP} -DCXXFILT=${KORVANEX_CXXFILT}
            -DMICROSOFT_OBJECT=${probeObject} -DGNU_OBJECT=$<TARGET_OBJECTS:${name}Probe>
            "-DEXPORTING_OBJECTS=$<TARGET_OBJECTS:${arg_EXPORTED_BY}>" -DPROBE=${probe}
            -DLIBRARY=${arg_LIBRARY} -DEXPORTS_DEF=${exportsDef} -DIMPORT_DEF=${importDef}
            -P ${script}
    DEPENDS ${probeObject} $<TARGET_OBJECTS:${name}Probe> $<TARGET_OBJECTS:${arg_EXPORTED_BY}> ${script}
    VERBATIM)
  add_custom_target(${name} DEPENDS ${exportsDef} ${importDef})
  set_target_properties(${name} PROPERTIES KORVANEX_EXPORTS_DEF ${exportsDef} KORVANEX_IMPORT_DEF ${importDef})
endfunction()

# korvanex_link_microsoft_names(<target> <names>)
# Links the Microsoft names made by <names> into target as aliases of ours.
function(korvanex_link_microsoft_names target names)
  get_target_property(exportsDef ${names} KORVANEX_EXPORTS_DEF)
  target_link_options(${target} PRIVATE ${exportsDef})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${exportsDef})
  add_dependencies(${target} ${names})
endfunction()

# korvanex_add_microsoft_import_library(<dll target> <names>)
# The import library for Microsoft's linker, in its short import format,
# beside the GNU one: <dll target>'s name with .lib, built with everything,
# its path in <dll target>'s property KORVANEX_MICROSOFT_IMPORT_LIBRARY.
function(korvanex_add_microsoft_import_library dll names)
  get_target_property(importDef ${names} KORVANEX_IMPORT_DEF)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/${dll}.lib)
  add_custom_command(OUTPUT ${library}
    COMMAND ${KORVANEX_LLVM_DLLTOOL} -m i386:x86-64 -d ${importDef} -l ${library}
    DEPENDS ${importDef}
    VERBATIM)
  add_custom_target(${dll}MicrosoftImportLibrary ALL DEPENDS ${library})
  set_target_properties(${dll} PROPERTIES KORVANEX_MICROSOFT_IMPORT_LIBRARY ${library})
endfunction()
