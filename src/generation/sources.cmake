target_sources(vm_core PRIVATE
  generation/options.cpp
  generation/random_source.cpp
)
