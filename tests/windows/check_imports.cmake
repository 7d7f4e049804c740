# Fails when FILE imports a DLL outside the set that every Windows carries
# (a C++ runtime, winpthread or libgcc DLL would have to be shipped beside it).
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DFILE=program.exe -P check_imports.cmake
cmake_minimum_required(VERSION 3.25)
set(system_dlls
  kernel32 user32 gdi32 shell32 ole32 oleaut32 advapi32 msvcrt comctl32 comdlg32 shlwapi
  uxtheme dwmapi version winmm imm32 ws2_32 bcrypt crypt32 secur32 rpcrt4 ntdll)
execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${FILE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(NOT names)
  message(FATAL_ERROR "${FILE}: no imported DLL found, not a Windows program?")
endif()
set(foreign)
foreach(entry ${names})
  string(REGEX REPLACE "DLL Name: (.+)\\.[dD][lL][lL]" "\\1" dll "${entry}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    list(APPEND foreign ${dll}.dll)
  endif()
  message(STATUS "${entry}")
endforeach()
if(foreign)
  message(FATAL_ERROR "${FILE} imports DLLs that Windows does not carry: ${foreign}")
endif()
