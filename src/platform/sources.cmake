# One source per system behind platform/platform.h.
if(WIN32)
  target_sources(vm_platform PRIVATE platform/platform_win32.cpp)
  # CommandLineToArgvW
  target_link_libraries(vm_platform PUBLIC shell32)
else()
  target_sources(vm_platform PRIVATE platform/platform_posix.cpp)
endif()
