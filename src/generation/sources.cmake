target_sources(vm_generation PRIVATE
  generation/char_transforms.cpp
  generation/compose.cpp
  generation/lyrics.cpp
  generation/options.cpp
  generation/phrase_transforms.cpp
  generation/pick_lines.cpp
  generation/pseudo_word.cpp
  generation/recent_cache.cpp
  generation/separator.cpp
)
