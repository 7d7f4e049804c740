# Tests of this layer: the program object against a recording shell, and the
# desktop's pure state machines.
vm_add_test(app_test
  app/aux_timer_test.cpp app/beat_clock_test.cpp app/console_line_test.cpp app/gen_keys_test.cpp
  app/key_strokes_test.cpp app/life_grid_test.cpp app/option_availability_test.cpp
  app/output_text_test.cpp app/program_generate_test.cpp app/program_load_test.cpp
  app/program_tools_test.cpp app/settings_apply_test.cpp app/settings_record_test.cpp
  app/tray_menu_test.cpp app/tray_watch_test.cpp)
