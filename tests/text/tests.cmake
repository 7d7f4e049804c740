vm_add_test(text_cp1251_test text/cp1251_test.cpp)
vm_add_test(text_strings_test text/strings_test.cpp)
