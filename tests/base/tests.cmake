# Tests of the cipher and the built-in bases.
set(VM_BASES_DIR ${PROJECT_SOURCE_DIR}/data/bases)

vm_add_test(base_test base/builtin_bases_test.cpp base/catalogue_test.cpp base/phrase_base_test.cpp
            base/rhyme_search_test.cpp base/rijndael_test.cpp base/word_end_test.cpp)
target_compile_definitions(base_test PRIVATE VM_TRASH_TEXT="${VM_BASES_DIR}/trash.txt"
                                             VM_STANDARD_TEXT="${VM_BASES_DIR}/standard.txt")

# The programs that carry the built-in bases show neither their texts nor the key.
set(VM_BASE_CARRIERS base_test)
if(TARGET verbalomatic-cli)
  list(APPEND VM_BASE_CARRIERS verbalomatic-cli)
endif()
foreach(carrier IN LISTS VM_BASE_CARRIERS)
  add_test(NAME base_no_plain_bases_in_${carrier}
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/base/no_plain_bases.sh ${VM_BASE_KEY_HEX}
                   $<TARGET_FILE:${carrier}> ${VM_BASES_DIR}/trash.txt ${VM_BASES_DIR}/standard.txt)
endforeach()
# The scan itself must catch a plain text.
add_test(NAME base_no_plain_bases_catches_plain_text
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/base/no_plain_bases.sh ${VM_BASE_KEY_HEX}
                 ${VM_BASES_DIR}/trash.txt ${VM_BASES_DIR}/trash.txt)
set_tests_properties(base_no_plain_bases_catches_plain_text PROPERTIES WILL_FAIL TRUE)

# The committed bases are exactly what their generators write.
find_program(PYTHON3 python3)
if(PYTHON3)
  foreach(base IN ITEMS "trash;make_trash.py" "standard;standard/make_standard.py")
    list(GET base 0 name)
    list(GET base 1 script)
    add_test(NAME base_generator_${name}
             COMMAND sh -c "'${PYTHON3}' '${PROJECT_SOURCE_DIR}/scripts/bases/${script}' --out '${name}.out' >/dev/null && cmp '${name}.out' '${VM_BASES_DIR}/${name}.txt'")
  endforeach()
endif()
