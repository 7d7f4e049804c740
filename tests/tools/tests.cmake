# Tests of this layer.
find_package(ZLIB REQUIRED)
vm_add_test(tools_crc32_test tools/crc32_test.cpp LIBS ZLIB::ZLIB)
vm_add_test(tools_atomic_file_test tools/atomic_file_test.cpp)
