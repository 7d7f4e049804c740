target_sources(vm_text PRIVATE
  text/cp1251.cpp
  text/letter_case.cpp
  text/strings.cpp
  text/text_form.cpp
)
