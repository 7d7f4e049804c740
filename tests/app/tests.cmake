# Tests of this layer.
vm_add_test(app_beat_clock_test app/beat_clock_test.cpp)
vm_add_test(app_life_grid_test app/life_grid_test.cpp)
vm_add_test(app_option_availability_test app/option_availability_test.cpp)
vm_add_test(app_output_text_test app/output_text_test.cpp)
vm_add_test(app_settings_apply_test app/settings_apply_test.cpp)
vm_add_test(app_settings_record_test app/settings_record_test.cpp)
