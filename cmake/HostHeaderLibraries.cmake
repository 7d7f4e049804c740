# CLI11 and nlohmann-json are header-only: a cross build takes them from the
# build machine's include folder, through a folder of links that holds just
# these two, so that no other header of the build machine can leak in.
set(VM_HOST_INCLUDE_DIR /usr/include CACHE PATH
    "The build machine's include folder holding CLI/ and nlohmann/")
set(VM_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
foreach(spec IN ITEMS "CLI11::CLI11;CLI" "nlohmann_json::nlohmann_json;nlohmann")
  list(GET spec 0 target)
  list(GET spec 1 folder)
  if(NOT IS_DIRECTORY ${VM_HOST_INCLUDE_DIR}/${folder})
    message(FATAL_ERROR "${VM_HOST_INCLUDE_DIR}/${folder} is missing (scripts/setup installs it)")
  endif()
  file(MAKE_DIRECTORY ${VM_HOST_HEADERS})
  file(CREATE_LINK ${VM_HOST_INCLUDE_DIR}/${folder} ${VM_HOST_HEADERS}/${folder} SYMBOLIC)
  if(NOT TARGET ${target})
    add_library(${target} INTERFACE IMPORTED)
    target_include_directories(${target} SYSTEM INTERFACE ${VM_HOST_HEADERS})
  endif()
endforeach()
