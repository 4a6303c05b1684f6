# Runs tolvane-calc on a small page and checks what it prints and its exit codes.
#   cmake -DCALC=<program> [-DEMULATOR=<runner;args>] -DDATA=<fixtures> -DWORK=<scratch>
#         -DGBK_ARGUMENTS=ON|OFF -DHAS_HTTP_READ=ON|OFF -P tolvane_calc_test.cmake
# The Windows build passes its emulator (Wine): the program then reads its
# arguments from the wide command line and converts TEXT to GBK.
cmake_minimum_required(VERSION 3.25)

file(MAKE_DIRECTORY ${WORK})

function(fail message)
  message(SEND_ERROR "${message}")
endfunction()

# run(<name> <expected exit code> ARGS...): stdout goes to ${WORK}/<name>.out,
# stderr into the variable `stderr`.
function(run name expected_code)
  execute_process(COMMAND ${EMULATOR} ${CALC} ${ARGN}
                  OUTPUT_FILE ${WORK}/${name}.out
                  ERROR_VARIABLE error_text
                  RESULT_VARIABLE code)
  if(NOT code STREQUAL expected_code)
    fail("${name}: exit code ${code}, expected ${expected_code}; stderr: ${error_text}")
  endif()
  set(stderr "${error_text}" PARENT_SCOPE)
endfunction()

function(expect_output name expected_file)
  file(READ ${WORK}/${name}.out actual HEX)
  file(READ ${expected_file} expected HEX)
  if(NOT actual STREQUAL expected)
    file(READ ${WORK}/${name}.out actual_text)
    fail("${name}: output differs from ${expected_file}:\n${actual_text}")
  endif()
endfunction()

# A macro, so that the caller sees `stderr` too.
macro(expect_usage_error name)
  run(${name} 2 ${ARGN})
  if(NOT stderr MATCHES "^tolvane-calc: [^\n]+\r?\n$")
    fail("${name}: expected one line on stderr, got: ${stderr}")
  endif()
endmacro()

# The fields after a run on the page, as text and as hex.
run(page 0 --page ${DATA}/page.txt 编辑框12=6.8)
expect_output(page ${DATA}/fields.txt)
run(page_hex 0 --hex --page ${DATA}/page.txt 编辑框12=362e38 编辑框16=b1a8bcdb)
expect_output(page_hex ${DATA}/fields_hex.txt)

# A TEXT argument reaches the field as GBK where the command line is Unicode.
if(GBK_ARGUMENTS)
  run(gbk_text 0 编辑框16=报价)
  file(READ ${WORK}/gbk_text.out printed HEX)
  string(HEX "编辑框16\t" name_and_tab)
  if(NOT printed MATCHES "${name_and_tab}b1a8bcdb0a")
    fail("gbk_text: 编辑框16 is not the GBK bytes of 报价: ${printed}")
  endif()
  expect_usage_error(not_gbk 编辑框16=😀)
endif()

# With no page, the fetch yields nothing: the first click on an unreachable server.
run(no_page 0)
file(READ ${WORK}/no_page.out printed)
foreach(line IN ITEMS "编辑框1\t\n" "\n编辑框7\t0\n" "\n编辑框5\t0\n" "\n编辑框11\t0.990\n")
  string(FIND "${printed}" "${line}" found)
  if(found EQUAL -1)
    fail("no_page: no line \"${line}\" in:\n${printed}")
  endif()
endforeach()

run(help 0 --help)
file(READ ${WORK}/help.out help_text)
if(NOT help_text MATCHES "Usage: tolvane-calc")
  fail("help: no usage text: ${help_text}")
endif()

expect_usage_error(unknown_name 编辑框17=1)
expect_usage_error(not_a_field 按钮2=1)
expect_usage_error(no_equals 编辑框12)
expect_usage_error(unknown_option --bogus)
expect_usage_error(missing_value --page)
expect_usage_error(missing_file --page ${DATA}/no-such-page.txt)
expect_usage_error(directory_page --page ${DATA})
expect_usage_error(odd_hex --hex 编辑框12=362)
expect_usage_error(bad_hex --hex 编辑框12=zz)
expect_usage_error(zero_byte --hex 编辑框12=3600)
expect_usage_error(page_and_url --page ${DATA}/page.txt --url http://127.0.0.1/)

if(HAS_HTTP_READ)
  # Nothing listens on port 9 of the loopback: the fetch yields nothing.
  run(url_refused 0 --url http://127.0.0.1:9/wcpq_hkd.php)
else()
  expect_usage_error(url_unavailable --url http://127.0.0.1/wcpq_hkd.php)
  if(NOT stderr MATCHES "not available")
    fail("url_unavailable: ${stderr}")
  endif()
endif()
