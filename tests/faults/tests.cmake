# Fault tests: full disks, vanishing and odd files, noise, kills.
vm_add_test(faults_test faults/full_disk_test.cpp faults/noise_test.cpp LIBS vm_cli)
# A stuck load shows as a timeout, not a hang.
set_tests_properties(faults_test PROPERTIES TIMEOUT 120)
add_test(NAME faults_kill_format
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/faults/kill_format.sh
                 $<TARGET_FILE:verbalomatic-cli>)
