# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads, which
# std::thread and std::mutex need): cmake --preset windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VM_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${VM_MINGW_PREFIX}-objdump CACHE FILEPATH "")

# Libraries and packages come from the target's root only; programs (the
# build machine's tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${VM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained executable: the C++ runtime, libgcc and winpthread linked
# in, so that it imports only the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
