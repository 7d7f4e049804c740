# The platform layer: one table of checks, run here and, built for Windows,
# under Wine (tests/windows).
add_executable(platform_check platform/platform_check.cpp)
target_link_libraries(platform_check PRIVATE vm_platform)
add_test(NAME platform_check COMMAND platform_check)
set_tests_properties(platform_check PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# Only the platform layer and the window shells include system headers.
add_test(NAME only_platform_has_system_headers
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}/src
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/platform/check_system_headers.cmake)
# The check itself must catch a system header: it scans the platform layer.
add_test(NAME only_platform_has_system_headers_catches_one
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}/src -DLAYERS=platform
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/platform/check_system_headers.cmake)
set_tests_properties(only_platform_has_system_headers_catches_one PROPERTIES WILL_FAIL TRUE)
