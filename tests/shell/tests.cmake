# Qt shell tests on the offscreen platform, and the end-to-end run under Xvfb.
find_package(Qt6 REQUIRED COMPONENTS Test)

set(VM_QT_RUNTIME_DIR ${CMAKE_CURRENT_BINARY_DIR}/qt-runtime)
file(MAKE_DIRECTORY ${VM_QT_RUNTIME_DIR} ${CMAKE_CURRENT_BINARY_DIR}/qt-data)
file(CHMOD ${VM_QT_RUNTIME_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# vm_add_qt_test(name source): one Qt Test executable.
function(vm_add_qt_test name source)
  add_executable(${name} ${source})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE vm_shell Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support
                                             ${CMAKE_CURRENT_SOURCE_DIR}/shell)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${VM_QT_RUNTIME_DIR};XDG_DATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/qt-data")
endfunction()

vm_add_qt_test(shell_frm_main_test shell/frm_main_test.cpp)
vm_add_qt_test(shell_desktop_app_test shell/desktop_app_test.cpp)
vm_add_qt_test(shell_single_instance_test shell/single_instance_test.cpp)

# The real program under Xvfb with a tray host (skipped when the X tools are missing).
add_test(NAME shell_desktop_e2e
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/desktop_e2e.sh $<TARGET_FILE:verbalomatic>)
set_tests_properties(shell_desktop_e2e PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77)

# Auto-generation left running in the tray: a new text every second, flat
# memory, a clean exit. SOAK_SECONDS (default 10) sets the length; the timeout
# leaves room for SOAK_SECONDS=600.
add_test(NAME shell_soak
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/soak.sh $<TARGET_FILE:verbalomatic>)
set_tests_properties(shell_soak PROPERTIES TIMEOUT 1800 SKIP_RETURN_CODE 77)

add_test(NAME shell_menu_e2e
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/menu_e2e.sh $<TARGET_FILE:verbalomatic>)
set_tests_properties(shell_menu_e2e PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)

# One key press, one action: Return on a menu entry, a held digit key. The
# helper counts the texts the program puts on the clipboard.
find_package(X11)
set(VM_CLIPBOARD_OWNERS "")
if(X11_Xfixes_FOUND)
  add_executable(vm_clipboard_owners e2e/clipboard_owners.cpp)
  target_link_libraries(vm_clipboard_owners PRIVATE vm_options X11::X11 X11::Xfixes)
  set(VM_CLIPBOARD_OWNERS $<TARGET_FILE:vm_clipboard_owners>)
endif()
add_test(NAME shell_keys_e2e
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/keys_e2e.sh $<TARGET_FILE:verbalomatic>
                 "${VM_CLIPBOARD_OWNERS}")
set_tests_properties(shell_keys_e2e PROPERTIES TIMEOUT 120 SKIP_RETURN_CODE 77)

# The real-window tests time double clicks and clipboard reads: one at a time.
set_tests_properties(shell_desktop_e2e shell_soak shell_menu_e2e shell_keys_e2e
                     PROPERTIES RESOURCE_LOCK x11_e2e)
