vm_add_test(cli_test cli/cli_test.cpp LIBS vm_cli)
target_compile_definitions(cli_test PRIVATE VM_CLI_BINARY="$<TARGET_FILE:verbalomatic-cli>")
add_dependencies(cli_test verbalomatic-cli)
