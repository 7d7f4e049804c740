# Tests of this layer.
vm_add_test(base_rhyme_search_test base/rhyme_search_test.cpp)
vm_add_test(base_catalogue_test base/catalogue_test.cpp)
vm_add_test(base_word_end_test base/word_end_test.cpp)
