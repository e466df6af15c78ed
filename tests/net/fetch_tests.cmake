# Tests of the two request routines against the loopback servers of tests/servers/, which
# tests/servers/with_fetch_server.sh starts around each test executable and stops after it.
set(TL_FETCH_SERVER_WRAPPER ${CMAKE_SOURCE_DIR}/tests/servers/with_fetch_server.sh)

add_library(tl_fetch_test_server STATIC ${CMAKE_CURRENT_LIST_DIR}/fetch_test_server.cpp)
target_link_libraries(tl_fetch_test_server PUBLIC ws2_32)
target_compile_options(tl_fetch_test_server PRIVATE ${TL_WARNINGS})

# tl_add_fetch_test(<name> <sources...>): a GoogleTest executable run with the server beside it.
function(tl_add_fetch_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE tl_net tl_fetch_test_server gtest_main)
  target_compile_options(${name} PRIVATE ${TL_WARNINGS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TL_BIN_DIR})
  add_test(NAME ${name} COMMAND bash ${TL_FETCH_SERVER_WRAPPER} $<TARGET_FILE:${name}> --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT 240 LABELS net)
endfunction()

tl_add_fetch_test(wininet_fetch_test ${CMAKE_CURRENT_LIST_DIR}/wininet_fetch_test.cpp)
target_link_libraries(wininet_fetch_test PRIVATE wininet)
tl_add_fetch_test(winhttp_fetch_test ${CMAKE_CURRENT_LIST_DIR}/winhttp_fetch_test.cpp)
tl_add_test(charset_convert_test ${CMAKE_CURRENT_LIST_DIR}/charset_convert_test.cpp LIBS tl_net LABELS net)

# Throughput of both routines next to curl, on bodies from the loopback server:
#   bash scripts/bench.sh fetch   (or: bash tests/net/fetch_bench.sh <build dir>)
tl_add_bench(fetch_bench ${CMAKE_CURRENT_LIST_DIR}/fetch_bench.cpp LIBS tl_net tl_fetch_test_server wininet)
