# cmake -DCLANG=... -DLLD_LINK=... -DFLAGS=<list> -DSOURCE=... -DPREFIX=<installed package>
#       -DMINGW_LIB=<mingw import libraries> -DOUTPUT_DIR=... -P buildMicrosoftConsumer.cmake
# Builds microsoftConsumer.exe as a Microsoft-built caller would: compiled for
# Microsoft's ABI against the installed headers, linked by lld-link against
# the installed korSharedSettings.lib, with the installed DLL beside it.
file(MAKE_DIRECTORY ${OUTPUT_DIR})
execute_process(COMMAND ${CLANG} ${FLAGS} -fno-sized-deallocation -I${PREFIX}/include
                        -c ${SOURCE} -o ${OUTPUT_DIR}/microsoftConsumer.obj
                COMMAND_ERROR_IS_FATAL ANY)
# No Microsoft runtime: msvcrt.dll provides operator new and delete. Where
# mingw-w64's default C runtime is the UCRT (MSYS2's UCRT64), libmsvcrt.a
# names ucrtbase.dll, which has no operator new; libmsvcrt-os.a is always
# msvcrt.dll.
set(msvcrt ${MINGW_LIB}/libmsvcrt-os.a)
if(NOT EXISTS ${msvcrt})
  set(msvcrt ${MINGW_LIB}/libmsvcrt.a)
endif()
execute_process(COMMAND ${LLD_LINK} /nologo /nodefaultlib /entry:consumerMain /subsystem:console
                        /out:${OUTPUT_DIR}/microsoftConsumer.exe ${OUTPUT_DIR}/microsoftConsumer.obj
                        ${PREFIX}/lib/korSharedSettings.lib ${MINGW_LIB}/libkernel32.a ${MINGW_LIB}/libuser32.a
                        ${msvcrt}
                COMMAND_ERROR_IS_FATAL ANY)
file(COPY ${PREFIX}/bin/korSharedSettings.dll DESTINATION ${OUTPUT_DIR})
