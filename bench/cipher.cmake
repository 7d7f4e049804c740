# Decipherment of the built-in bases.
vm_add_bench(bench_cipher cipher_bench.cpp)
