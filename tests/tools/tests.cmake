# Tests of this layer.
find_package(ZLIB REQUIRED)
vm_add_test(tools_crc32_test tools/crc32_test.cpp LIBS ZLIB::ZLIB)
vm_add_test(tools_atomic_file_test tools/atomic_file_test.cpp)
vm_add_test(tools_fix_symbols_test tools/fix_symbols_test.cpp)
vm_add_test(tools_duplicates_test tools/duplicates_test.cpp)
vm_add_test(tools_lines_word_test tools/lines_word_test.cpp)
vm_add_test(tools_import_text_test tools/import_text_test.cpp)
vm_add_test(tools_journal_record_test tools/journal_record_test.cpp)
