# The fuzzers' entry points in the normal build: every seed input and every
# input that once broke a rule (tests/fuzz_regressions/TARGET/).
vm_add_test(fuzz_regressions_test fuzz_regressions/fuzz_regressions_test.cpp
            ${PROJECT_SOURCE_DIR}/fuzz/fuzz_entries.cpp LIBS vm_cli)
target_include_directories(fuzz_regressions_test PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
target_compile_definitions(fuzz_regressions_test PRIVATE VM_TESTS_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
