# Tests of this layer.
vm_add_test(text_test text/cp1251_test.cpp)
