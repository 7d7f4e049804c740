target_sources(vm_random PRIVATE
  random/random_source.cpp
)
