# The MSVC branch of the link still links: the exe's resource script embeds its own manifest,
# and the MSVC linker would embed a second one of the same type and id (a duplicate resource,
# CVT1100 / LNK1123) unless that branch turns its own off. LLVM's MSVC-compatible resource
# compiler and linker stand in for MSVC's; the linker is told to embed its manifest as MSVC's
# does by default, then given the branch's flags after it, as CMake gives them.
#   cmake -DSOURCE=<tree> -DGENERATED=<build>/generated -DWORK=<dir> -P msvc-link.cmake
foreach(tool llvm-rc lld-link clang)
  find_program(${tool}_path ${tool})
  if(NOT ${tool}_path)
    message("no ${tool} here: skipped")
    return()  # ctest counts the line below as a skip
  endif()
endforeach()
set(mingw_headers /usr/share/mingw-w64/include)
if(NOT EXISTS ${mingw_headers}/winver.h)
  message("no Windows headers for the resource script here: skipped")
  return()
endif()

set(MSVC TRUE)
set(MINGW FALSE)
include(${SOURCE}/cmake/WindowsLink.cmake)
tavero_exe_link_options(flags EMBEDS_MANIFEST)
# Only the flags about manifests: LLVM's linker does not know every other flag MSVC's does.
list(FILTER flags INCLUDE REGEX "^/MANIFEST")

file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/entry.c "int mainCRTStartup(void) { return 0; }\n")
# On Linux the resource compiler reads any argument starting with '/' as an option, a source
# path too (a tree under /check is taken for /C, a code page); '--' ends the options.
execute_process(COMMAND ${llvm-rc_path} /I ${GENERATED} /I ${SOURCE}/src /I ${mingw_headers} /FO ${WORK}/program.res
                        -- ${SOURCE}/src/ui/TaveroMirelle.rc
                RESULT_VARIABLE rc ERROR_VARIABLE rc_error)
execute_process(COMMAND ${clang_path} --target=x86_64-pc-windows-msvc -c ${WORK}/entry.c
                        -o ${WORK}/entry.obj RESULT_VARIABLE cc)
if(NOT rc EQUAL 0 OR NOT cc EQUAL 0)
  message(FATAL_ERROR "could not prepare the link: ${rc_error}")
endif()
execute_process(COMMAND ${lld-link_path} /nologo /entry:mainCRTStartup /subsystem:windows
                        /nodefaultlib /manifest:embed ${flags} ${WORK}/entry.obj
                        ${WORK}/program.res /out:${WORK}/program.exe
                RESULT_VARIABLE link ERROR_VARIABLE link_error)
if(NOT link EQUAL 0)
  message(FATAL_ERROR "the MSVC branch (${flags}) does not link: ${link_error}")
endif()
message("the MSVC branch links with its flags: ${flags}")
