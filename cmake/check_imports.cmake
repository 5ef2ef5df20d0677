# Fails when a Windows image imports a library that the system does not protect.
#   cmake -DOBJDUMP=<objdump> -DIMAGE=<file.exe|dll> -P check_imports.cmake [-DALLOWED=a.dll;b.dll]
# A statically imported library is loaded before any of the program's code runs, and the loader
# looks for it beside the program first unless it is one of the system's known libraries (which
# always come from the system folder). So a version.dll planted in a downloads folder beside the
# program would run inside it. The allowed ones are the known libraries of Windows 7 to 11.
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED ALLOWED)
  set(ALLOWED
      advapi32.dll combase.dll comdlg32.dll gdi32.dll gdiplus.dll imagehlp.dll imm32.dll kernel32.dll
      msctf.dll msvcrt.dll normaliz.dll nsi.dll ntdll.dll ole32.dll oleaut32.dll psapi.dll rpcrt4.dll
      sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll)
endif()
if(NOT EXISTS "${IMAGE}")
  message(FATAL_ERROR "no such image: ${IMAGE}")
endif()
# The common controls are no known library, but an image whose embedded manifest binds their
# side-by-side assembly gets them from the system's assembly store, never from beside it.
file(STRINGS "${IMAGE}" binds_common_controls REGEX "name=\"Microsoft\\.Windows\\.Common-Controls\"" LIMIT_COUNT 1)
if(binds_common_controls)
  list(APPEND ALLOWED comctl32.dll)
endif()
execute_process(COMMAND "${OBJDUMP}" -p "${IMAGE}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${IMAGE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "no import table read from ${IMAGE}")
endif()
set(unprotected)
foreach(entry ${names})
  string(REGEX REPLACE "^DLL Name: *" "" name "${entry}")
  string(STRIP "${name}" name)
  string(TOLOWER "${name}" lower)
  if(lower IN_LIST ALLOWED)
    message(STATUS "imports ${name}")
  else()
    message(STATUS "imports ${name}: not protected")
    list(APPEND unprotected ${name})
  endif()
endforeach()
if(unprotected)
  message(FATAL_ERROR "${IMAGE} imports libraries the system does not protect: ${unprotected}")
endif()
