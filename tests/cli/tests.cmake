find_package(nlohmann_json 3 REQUIRED)
vm_add_test(cli_test cli/cli_test.cpp LIBS vm_cli nlohmann_json::nlohmann_json)
target_compile_definitions(cli_test PRIVATE VM_CLI_BINARY="$<TARGET_FILE:verbalomatic-cli>"
                                            VM_BASES_DIR="${PROJECT_SOURCE_DIR}/data/bases")
add_dependencies(cli_test verbalomatic-cli)

add_test(NAME cli_docs_test
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/docs_test.sh $<TARGET_FILE:verbalomatic-cli>
                 ${PROJECT_BINARY_DIR}/data/man ${PROJECT_SOURCE_DIR}/data/completions)
