# The base formatter's and the import's text tools.
vm_add_bench(bench_tools tools_bench.cpp)
