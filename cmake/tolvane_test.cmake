# tolvane_add_test(NAME SOURCES file... [LIBRARIES lib...])
# One GoogleTest program, registered as one ctest test. In the Windows build
# ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(tolvane_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
