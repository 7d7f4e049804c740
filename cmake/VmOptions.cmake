# Standard, warnings and sanitizer switches shared by every target.
add_library(vm_options INTERFACE)
target_compile_features(vm_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(vm_options INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12's -Wrestrict misfires inside libstdc++'s string concatenation at -O2
# (GCC bug 105329); later releases are fixed.
target_compile_options(vm_options INTERFACE
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
if(VM_SANITIZE)
  target_compile_options(vm_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                              -fno-sanitize-recover=undefined)
  target_link_options(vm_options INTERFACE -fsanitize=address,undefined)
endif()
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Debug CACHE STRING "" FORCE)
endif()
