target_sources(vm_core PRIVATE
  app/beat_clock.cpp
  app/life_grid.cpp
  app/option_availability.cpp
  app/output_text.cpp
  app/settings_apply.cpp
  app/settings_record.cpp
)
