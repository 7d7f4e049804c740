target_sources(vm_core PRIVATE
  text/cp1251.cpp
  text/letter_case.cpp
  text/strings.cpp
)
