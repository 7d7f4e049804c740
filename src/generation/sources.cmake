target_sources(vm_core PRIVATE
  generation/char_transforms.cpp
  generation/options.cpp
  generation/random_source.cpp
)
