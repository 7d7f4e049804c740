target_sources(vm_base PRIVATE
  base/catalogue.cpp
  base/file_time.cpp
  base/phrase_base.cpp
  base/rhyme_search.cpp
  base/scramble.cpp
  base/word_end.cpp
)
