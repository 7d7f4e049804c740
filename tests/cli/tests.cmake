# The command line's statuses and texts are golden transcripts (tests/golden/cli*.cases).
add_test(NAME cli_docs_test
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/cli/docs_test.sh $<TARGET_FILE:verbalomatic-cli>
                 ${PROJECT_BINARY_DIR}/data/man ${PROJECT_SOURCE_DIR}/data/completions)
