target_sources(vm_tools PRIVATE
  tools/atomic_file.cpp
  tools/crc32.cpp
  tools/drop_markers.cpp
  tools/duplicates.cpp
  tools/fix_symbols.cpp
  tools/import_text.cpp
  tools/journal_record.cpp
  tools/lines_word.cpp
  tools/trash.cpp
)
