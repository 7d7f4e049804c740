target_sources(vm_core PRIVATE
  tools/atomic_file.cpp
  tools/crc32.cpp
)
