# Tests of this layer.
vm_add_test(generation_test generation/generation_test.cpp)
