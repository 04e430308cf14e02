# Cross toolchain: Windows x64 programs built on Linux by clang and lld, with
# the mingw-w64 headers and libraries of the GCC toolchain
# (mingw-w64-x86_64.cmake): the same C runtime, libstdc++ and winpthreads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(KORVANEX_TRIPLET x86_64-w64-mingw32)
find_program(KORVANEX_CLANG_C NAMES clang-14 clang REQUIRED)
find_program(KORVANEX_CLANG_CXX NAMES clang++-14 clang++ REQUIRED)
set(CMAKE_C_COMPILER ${KORVANEX_CLANG_C})
set(CMAKE_CXX_COMPILER ${KORVANEX_CLANG_CXX})
set(CMAKE_C_COMPILER_TARGET x86_64-w64-windows-gnu)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-windows-gnu)
# windres preprocesses with the mingw-w64 GCC, reading the same headers.
set(CMAKE_RC_COMPILER ${KORVANEX_TRIPLET}-windres)

set(CMAKE_SYSROOT /usr/${KORVANEX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH /usr/${KORVANEX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# clang does not find the GCC folder by itself: Debian names it by version
# and thread model ("12-posix"), which clang cannot read as a version. Ask
# GCC where its libstdc++ and libgcc are.
execute_process(COMMAND ${KORVANEX_TRIPLET}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE gccLibrary OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(gccLibraryDir ${gccLibrary} DIRECTORY)
set(libstdcxxIncludes "")
foreach(dir include/c++ include/c++/${KORVANEX_TRIPLET} include/c++/backward)
  string(APPEND libstdcxxIncludes " -isystem ${gccLibraryDir}/${dir}")
endforeach()
set(CMAKE_CXX_FLAGS_INIT "${libstdcxxIncludes}")

# -pthread: the posix libstdc++ calls winpthreads, which GCC's driver links
# by itself and clang's only when asked.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${gccLibraryDir}")
endforeach()
