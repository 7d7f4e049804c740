# Tests of this layer: the program object against a recording shell, and the
# desktop's pure state machines; tests/golden/session_posix.cases drives the program
# object through vm-session.
vm_add_test(app_test
  app/beat_clock_test.cpp app/desktop_files_test.cpp
  app/desktop_start_test.cpp app/gen_keys_test.cpp app/key_strokes_test.cpp
  app/life_grid_test.cpp app/output_text_test.cpp
  app/program_test.cpp app/settings_record_test.cpp
  app/tray_watch_test.cpp)

# Drives the program object for the golden transcripts of desktop sessions.
add_executable(vm-session app/session.cpp)
target_link_libraries(vm-session PRIVATE vm_cli)
