# What the transcripts cannot show: the program object over many seeds and
# with file permissions; tests/golden/session_posix.cases
# drives the program object, the life grid and the desktop's state machines
# through vm-session.
vm_add_test(app_test app/program_test.cpp)

# Drives the program object for the golden transcripts of desktop sessions.
add_executable(vm-session app/session.cpp)
target_link_libraries(vm-session PRIVATE vm_cli)
