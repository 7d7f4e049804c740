# Tests of this layer.
vm_add_test(generation_char_transforms_test generation/char_transforms_test.cpp)
