# Fails when a source outside src/platform and the window shells includes a
# header that is neither the C++ standard library's, the compiler's SSE2 and SSSE3
# intrinsics, nor one of the two header-only libraries the command line uses
# (CLI11, nlohmann-json).
#   cmake -DROOT=src [-DLAYERS="a;b"] -P check_system_headers.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(ROOT ${ROOT} ABSOLUTE)
set(standard
  algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv
  chrono cinttypes climits clocale cmath codecvt compare complex concepts condition_variable
  coroutine csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar
  cwctype deque exception execution expected filesystem format forward_list fstream functional
  future initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale
  map memory memory_resource mutex new numbers numeric optional ostream queue random ranges
  ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream stack
  stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
  version
  emmintrin.h tmmintrin.h
  CLI/CLI.hpp nlohmann/json.hpp nlohmann/json_fwd.hpp)
if(NOT LAYERS)
  # Everything under src but platform/, shell/ and shell_win32/.
  file(GLOB LAYERS RELATIVE ${ROOT} ${ROOT}/*)
  list(REMOVE_ITEM LAYERS platform shell shell_win32)
endif()
set(found)
foreach(layer ${LAYERS})
  file(GLOB_RECURSE files ${ROOT}/${layer}/*.h ${ROOT}/${layer}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>.*" "\\1" header "${line}")
      if(NOT header IN_LIST standard)
        list(APPEND found "${f}: <${header}>")
      endif()
    endforeach()
  endforeach()
endforeach()
if(found)
  list(JOIN found "\n  " text)
  message(FATAL_ERROR "System headers outside src/platform (move the call there):\n  ${text}")
endif()
