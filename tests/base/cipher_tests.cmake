# Tests of the cipher, the built-in bases and the tool that enciphers them.
set(VM_BASES_DIR ${PROJECT_SOURCE_DIR}/data/bases)

vm_add_test(base_rijndael_test base/rijndael_test.cpp)
find_library(MCRYPT_LIB mcrypt)
find_path(MCRYPT_INCLUDE_DIR mcrypt.h)
if(MCRYPT_LIB AND MCRYPT_INCLUDE_DIR)
  target_compile_definitions(base_rijndael_test PRIVATE VM_HAVE_MCRYPT)
  target_include_directories(base_rijndael_test PRIVATE ${MCRYPT_INCLUDE_DIR})
  target_link_libraries(base_rijndael_test PRIVATE ${MCRYPT_LIB})
else()
  message(STATUS "libmcrypt not found: the Rijndael cross-check will be skipped")
endif()

vm_add_test(base_builtin_bases_test base/builtin_bases_test.cpp)
target_compile_definitions(base_builtin_bases_test PRIVATE
  VM_BASECIPHER="$<TARGET_FILE:vm-basecipher>"
  VM_TRASH_TEXT="${VM_BASES_DIR}/trash.txt"
  VM_STANDARD_TEXT="${VM_BASES_DIR}/standard.txt")
add_dependencies(base_builtin_bases_test vm-basecipher)

vm_add_test(base_basecipher_tool_test base/basecipher_tool_test.cpp)
target_compile_definitions(base_basecipher_tool_test PRIVATE
  VM_BASECIPHER="$<TARGET_FILE:vm-basecipher>")
add_dependencies(base_basecipher_tool_test vm-basecipher)

# The programs that carry the built-in bases show neither their texts nor the key.
set(VM_BASE_CARRIERS base_builtin_bases_test)
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
vm_add_test(base_builtin_content_test base/builtin_content_test.cpp)
