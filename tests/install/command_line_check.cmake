# --help and --version answer with one line and no display; wrong command
# lines end with exit code 2 and a word on standard error; --convert-to
# converts without a display.
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

# --convert-to needs no display either: one line per file, exit code 1 when
# any file failed, the others converted all the same.
set(work "${CMAKE_CURRENT_BINARY_DIR}/convert-check")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")
file(WRITE "${work}/data.csv" "name;12\r\n")
run_program(--convert-to qdt "${work}/data.csv")
set(ok FALSE)
if(code EQUAL 0 AND out STREQUAL "${work}/data.csv -> ${work}/data.qdt\n" AND err STREQUAL "" AND EXISTS "${work}/data.qdt")
  set(ok TRUE)
endif()
expect(ok --convert-to qdt data.csv)

run_program(--convert-to csv --outdir "${work}/out" "${work}/data.qdt")
set(ok FALSE)
if(code EQUAL 1 AND out MATCHES "^${work}/data.qdt -> ${work}/out/data.csv: [^\n]+\n$")
  set(ok TRUE)
endif()
expect(ok --convert-to csv --outdir missing)

file(MAKE_DIRECTORY "${work}/out")
run_program(--convert-to csv --outdir "${work}/out" "${work}/missing.qdt" "${work}/data.qdt")
file(READ "${work}/out/data.csv" written HEX)
set(ok FALSE)
if(code EQUAL 1 AND out MATCHES "^${work}/missing.qdt: [^\n]+\n${work}/data.qdt -> ${work}/out/data.csv\n$"
   AND written STREQUAL "efbbbf6e616d653b31320d0a")  # the mark, "name;12", CR LF
  set(ok TRUE)
endif()
expect(ok --convert-to csv with a missing file first)

run_program(--help)
set(ok FALSE)
if(out MATCHES "--convert-to FORMAT \\[--outdir DIR\\] FILE\\.\\.\\.")
  set(ok TRUE)
endif()
expect(ok --help names --convert-to)
file(REMOVE_RECURSE "${work}")
