# Tests of this layer.
vm_add_test(tools_test tools/atomic_file_test.cpp tools/duplicates_test.cpp
            tools/fix_symbols_test.cpp tools/import_text_test.cpp tools/journal_record_test.cpp
            tools/lines_word_test.cpp)
