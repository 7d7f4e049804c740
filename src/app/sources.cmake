target_sources(vm_app PRIVATE
  app/about_text.cpp
  app/aux_timer.cpp
  app/beat_clock.cpp
  app/console_line.cpp
  app/gen_keys.cpp
  app/life_grid.cpp
  app/option_availability.cpp
  app/output_text.cpp
  app/program.cpp
  app/program_about.cpp
  app/program_generate.cpp
  app/program_load.cpp
  app/program_tools.cpp
  app/settings_apply.cpp
  app/settings_record.cpp
  app/tray_menu.cpp
)
