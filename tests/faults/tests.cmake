# Fault tests: full disks, vanishing and odd files, noise, kills.
vm_add_test(faults_full_disk_test faults/full_disk_test.cpp LIBS vm_cli)
vm_add_test(faults_vanishing_base_test faults/vanishing_base_test.cpp)
vm_add_test(faults_noise_test faults/noise_test.cpp)
vm_add_test(faults_fifo_import_test faults/fifo_import_test.cpp LIBS vm_cli)
vm_add_test(faults_format_kill_test faults/format_kill_test.cpp LIBS vm_cli)
# A blocking open of a FIFO or a stuck load shows as a timeout, not a hang.
set_tests_properties(faults_vanishing_base_test faults_fifo_import_test PROPERTIES TIMEOUT 60)
add_test(NAME faults_kill_format
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/faults/kill_format.sh
                 $<TARGET_FILE:verbalomatic-cli>)
