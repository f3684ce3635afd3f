# --help and --version answer with one line and no display; wrong command
# lines end with exit code 2 and a word on standard error.
#   cmake -D PROGRAM=path/to/gridwork -P command_line_check.cmake

function(run_program)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
                          "${PROGRAM}" ${ARGN}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  set(code "${code}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect condition)
  if(NOT ${condition})
    message(SEND_ERROR "gridwork ${ARGN}: exit code ${code}, output [${out}], errors [${err}]")
  endif()
endfunction()

run_program(--help)
set(ok FALSE)
if(code EQUAL 0 AND out MATCHES "^Usage: gridwork \\[FILE\\][^\n]*\n$" AND err STREQUAL "")
  set(ok TRUE)
endif()
expect(ok --help)

run_program(--version)
set(ok FALSE)
if(code EQUAL 0 AND out MATCHES "^gridwork [0-9]+\\.[0-9]+\\.[0-9]+\n$" AND err STREQUAL "")
  set(ok TRUE)
endif()
expect(ok --version)

run_program(--frobnicate table.qdt)
set(ok FALSE)
if(code EQUAL 2 AND out STREQUAL "" AND err MATCHES "unknown option '--frobnicate'")
  set(ok TRUE)
endif()
expect(ok --frobnicate table.qdt)

run_program(one.qdt two.qdt)
set(ok FALSE)
if(code EQUAL 2 AND out STREQUAL "" AND NOT err STREQUAL "")
  set(ok TRUE)
endif()
expect(ok one.qdt two.qdt)

# Without a display the program says so in one line and ends with code 1.
run_program()
set(ok FALSE)
if(code EQUAL 1 AND out STREQUAL "" AND err STREQUAL "gridwork: cannot open the display\n")
  set(ok TRUE)
endif()
expect(ok "(no arguments)")
