# A second C++ front end for Microsoft's ABI (clang, lld-link and the LLVM
# binary tools), reading the same mingw-w64 headers as our compiler. It names
# the exports as Microsoft's compiler does and builds the test programs that
# call them as a Microsoft-built program would.
find_program(KORVANEX_CLANG NAMES clang clang-14 REQUIRED)
find_program(KORVANEX_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)
find_program(KORVANEX_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
find_program(KORVANEX_LLVM_OBJDUMP NAMES llvm-objdump llvm-objdump-14 REQUIRED)
# Only to name a member in a build error; the mangled name does without.
find_program(KORVANEX_CXXFILT NAMES llvm-cxxfilt llvm-cxxfilt-14 c++filt)

execute_process(COMMAND ${KORVANEX_CLANG} -print-resource-dir OUTPUT_VARIABLE clangResourceDir
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# No exceptions, no RTTI and no thread-safe statics: without Microsoft's
# runtime there is nothing behind them. The GNU version lets mingw-w64's
# headers take their GCC paths. The Win32 definitions are our own compiler's.
list(TRANSFORM KORVANEX_WIN32_DEFINITIONS PREPEND -D OUTPUT_VARIABLE win32Definitions)
set(KORVANEX_MSVC_CXX_FLAGS
  --target=x86_64-pc-windows-msvc -std=c++20 -O1
  -fgnuc-version=4.2.1 -fno-threadsafe-statics -fno-exceptions -fno-rtti
  -D__STRICT_ANSI__ ${win32Definitions}
  -nostdinc)
foreach(dir IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
  # GCC's own intrinsic headers do not suit clang; clang brings its own.
  if(NOT dir MATCHES "/lib/gcc/[^/]+/[^/]+/include(-fixed)?$")
    list(APPEND KORVANEX_MSVC_CXX_FLAGS -isystem ${dir})
  endif()
endforeach()
list(APPEND KORVANEX_MSVC_CXX_FLAGS -isystem ${clangResourceDir}/include)

# What our compiler is told of its target when run by hand (clang needs it;
# GCC is a cross compiler of its own).
set(KORVANEX_COMPILER_TARGET_FLAGS "")
if(CMAKE_CXX_COMPILER_TARGET)
  list(APPEND KORVANEX_COMPILER_TARGET_FLAGS --target=${CMAKE_CXX_COMPILER_TARGET})
endif()
if(CMAKE_SYSROOT)
  list(APPEND KORVANEX_COMPILER_TARGET_FLAGS --sysroot=${CMAKE_SYSROOT})
endif()

# The mingw-w64 import libraries (kernel32, user32, msvcrt), for lld-link to
# link a Microsoft-ABI caller: wherever our compiler keeps them on this host.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${KORVANEX_COMPILER_TARGET_FLAGS} -print-file-name=libkernel32.a
                OUTPUT_VARIABLE kernel32Library OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
if(NOT IS_ABSOLUTE "${kernel32Library}")
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where libkernel32.a is")
endif()
get_filename_component(KORVANEX_MINGW_LIBRARY_DIR ${kernel32Library} DIRECTORY)
