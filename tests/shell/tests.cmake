# The Qt shell test on the offscreen platform, and the real window under Xvfb and weston.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(shell_test shell/shell_test.cpp)
set_target_properties(shell_test PROPERTIES AUTOMOC ON)
target_link_libraries(shell_test PRIVATE vm_shell Qt6::Test)
target_include_directories(shell_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
add_test(NAME shell_test COMMAND shell_test)
# A private runtime folder; a data folder for the trash that also gives
# fontconfig Wine's Tahoma, which it does not index from Wine's own folder.
set(VM_QT_HOME ${CMAKE_CURRENT_BINARY_DIR}/qt-home)
file(MAKE_DIRECTORY ${VM_QT_HOME}/runtime ${VM_QT_HOME}/fonts)
file(CHMOD ${VM_QT_HOME}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(VM_QT_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${VM_QT_HOME}/runtime"
    "XDG_DATA_HOME=${VM_QT_HOME};XDG_CACHE_HOME=${VM_QT_HOME}/cache")
if(EXISTS /usr/share/wine/fonts/tahoma.ttf)
  file(CREATE_LINK /usr/share/wine/fonts/tahoma.ttf ${VM_QT_HOME}/fonts/tahoma.ttf SYMBOLIC)
  list(APPEND VM_QT_ENVIRONMENT VM_TEST_FONTCONFIG_TAHOMA=1)
endif()
set_tests_properties(shell_test PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                     ENVIRONMENT "${VM_QT_ENVIRONMENT}")

# The helper that counts the texts the program puts on the X clipboard.
find_package(X11)
set(VM_CLIPBOARD_OWNERS none)
if(X11_Xfixes_FOUND)
  add_executable(vm_clipboard_owners e2e/clipboard_owners.cpp)
  target_link_libraries(vm_clipboard_owners PRIVATE vm_options X11::X11 X11::Xfixes)
  set(VM_CLIPBOARD_OWNERS $<TARGET_FILE:vm_clipboard_owners>)
endif()
# weston's headless backend has no seat: a small module gives it a keyboard.
find_package(PkgConfig)
set(VM_WESTON_KEYS none)
if(PkgConfig_FOUND)
  pkg_check_modules(WESTON IMPORTED_TARGET libweston-10 wayland-server)
endif()
if(WESTON_FOUND)
  enable_language(C)
  add_library(vm_weston_keys MODULE e2e/weston_keys.c)
  set_target_properties(vm_weston_keys PROPERTIES PREFIX "" C_STANDARD 11)
  target_compile_options(vm_weston_keys PRIVATE -Wall -Wextra -Wpedantic)
  target_link_libraries(vm_weston_keys PRIVATE PkgConfig::WESTON)
  set(VM_WESTON_KEYS $<TARGET_FILE:vm_weston_keys>)
endif()
# Each script says what it drives; SOAK_SECONDS (default 10) sets the soak's
# length. One at a time: they time double clicks and clipboard reads.
set(VM_BIN $<TARGET_FILE:verbalomatic>)
foreach(e2e "desktop_e2e ${VM_BIN} ${VM_CLIPBOARD_OWNERS}" "soak ${VM_BIN}" "instance_e2e ${VM_BIN}"
        "install_e2e ${CMAKE_BINARY_DIR}" "wayland_e2e ${VM_BIN} ${VM_WESTON_KEYS}")
  separate_arguments(e2e)
  list(POP_FRONT e2e name)
  add_test(NAME shell_${name} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${name}.sh ${e2e})
  set_tests_properties(shell_${name} PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 RESOURCE_LOCK x11_e2e)
endforeach()
set_tests_properties(shell_soak PROPERTIES TIMEOUT 1800)  # room for SOAK_SECONDS=600
