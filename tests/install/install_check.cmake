# Installs the build into a fresh staging tree (DESTDIR, prefix /usr) and
# checks it as a desktop would use it: exactly the expected files, a desktop
# entry that desktop-file-validate accepts, a MIME package that
# update-mime-database reads and that gives table files their type by name
# and by their first bytes. Then uninstalls and checks that exactly those
# files went.
#   cmake -D BUILD_DIR=... -D SOURCE_DIR=... -P install_check.cmake

set(expected
    usr/bin/gridwork
    usr/share/applications/gridwork.desktop
    usr/share/icons/hicolor/48x48/apps/gridwork.png
    usr/share/icons/hicolor/scalable/apps/gridwork.svg
    usr/share/mime/packages/gridwork.xml)
set(type application/x-gridwork-table)

# check(MESSAGE CONDITION...): the condition as if() takes it, with no empty
# word and no semicolon in it.
function(check text)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${text} (the staging tree stays in ${stage})")
  endif()
endfunction()

function(files_under root result)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
  list(SORT found)
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

find_program(validate desktop-file-validate REQUIRED)
find_program(update_mime update-mime-database REQUIRED)
find_program(gio gio REQUIRED)

execute_process(COMMAND mktemp -d OUTPUT_VARIABLE stage OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# No cache is refreshed under DESTDIR, so the tree holds the installed files alone.
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${stage}"
                        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
check("cmake --install failed: ${out}" code EQUAL 0)
files_under("${stage}" installed)
set(same FALSE)
if(installed STREQUAL expected)
  set(same TRUE)
endif()
check("installed [${installed}] instead of [${expected}]" same)

file(STRINGS "${BUILD_DIR}/install_manifest.txt" manifest)
list(SORT manifest)
list(TRANSFORM expected PREPEND "/" OUTPUT_VARIABLE expected_paths)
set(same FALSE)
if(manifest STREQUAL expected_paths)
  set(same TRUE)
endif()
check("the manifest lists [${manifest}]" same)

set(share "${stage}/usr/share")
execute_process(COMMAND "${validate}" "${share}/applications/gridwork.desktop"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
check("desktop-file-validate: ${out}" code EQUAL 0)
set(quiet FALSE)
if(out STREQUAL "")
  set(quiet TRUE)
endif()
check("desktop-file-validate has remarks: ${out}" quiet)
file(READ "${share}/applications/gridwork.desktop" entry)
string(FIND "${entry}" "\nMimeType=${type};text/tab-separated-values;\n" at)
check("the entry does not claim the types" NOT at EQUAL -1)
check("the entry does not start gridwork with the file" entry MATCHES "\nExec=gridwork %f\n")
check("the entry does not show the icon" entry MATCHES "\nIcon=gridwork\n")

file(READ "${share}/icons/hicolor/48x48/apps/gridwork.png" png HEX LIMIT 24)
check("the icon is no 48 x 48 PNG: ${png}" png STREQUAL "89504e470d0a1a0a0000000d494844520000003000000030")
file(READ "${share}/icons/hicolor/scalable/apps/gridwork.svg" svg)
check("the icon is no SVG" svg MATCHES "<svg [^>]*viewBox=\"0 0 48 48\"")

# The MIME package as the desktop's tool reads it: a broken one is refused.
file(MAKE_DIRECTORY "${stage}/home")
file(READ "${share}/mime/packages/gridwork.xml" package)
check("no glob for .qdt" package MATCHES "<glob pattern=\"\\*\\.qdt\"/>")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "XDG_DATA_DIRS=${share}" "XDG_DATA_HOME=${stage}/home"
                        "${update_mime}" "${share}/mime"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
check("update-mime-database: ${out}" code EQUAL 0)
set(quiet FALSE)
if(out STREQUAL "")
  set(quiet TRUE)
endif()
check("update-mime-database has remarks: ${out}" quiet)
check("update-mime-database made no ${type}" EXISTS "${share}/mime/application/x-gridwork-table.xml")

# Files named and filled so that only the name, only the first bytes, or
# neither tell a table file; GIO looks the types up in the staging tree alone.
set(samples "${stage}/samples")
file(MAKE_DIRECTORY "${samples}")
file(WRITE "${samples}/named.qdt" "not a table inside")
execute_process(COMMAND printf "[Quadrille Version 1.0\\000\\050\\000\\000\\000"
                OUTPUT_FILE "${samples}/by-content" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND printf "[Quadrille Version 1.0X\\050\\000\\000\\000"
                OUTPUT_FILE "${samples}/no-nul" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND printf "[Quadrille Version 1.1\\000\\050\\000\\000\\000"
                OUTPUT_FILE "${samples}/other-version" COMMAND_ERROR_IS_FATAL ANY)
function(content_type file result)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env "XDG_DATA_DIRS=${share}" "XDG_DATA_HOME=${stage}/home"
                          GIO_USE_VFS=local "${gio}" info -a standard::content-type "${samples}/${file}"
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  check("gio info ${file}: ${err}" code EQUAL 0)
  string(REGEX MATCH "standard::content-type: ([^\n]*)" found "${out}")
  set(${result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
foreach(sample named.qdt by-content)
  content_type(${sample} found)
  check("${sample} has the type ${found}" found STREQUAL type)
endforeach()
foreach(sample no-nul other-version)
  content_type(${sample} found)
  check("${sample} is taken for a table file" NOT found STREQUAL type)
endforeach()

# Uninstalling removes the installed files and leaves what others made.
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${stage}"
                        ${CMAKE_COMMAND} -D "MANIFEST=${BUILD_DIR}/install_manifest.txt"
                        -P "${SOURCE_DIR}/data/uninstall.cmake"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
check("uninstall failed: ${out}" code EQUAL 0)
foreach(path IN LISTS expected)
  check("uninstall left ${path}" NOT EXISTS "${stage}/${path}")
endforeach()
check("uninstall removed the MIME cache it did not install" EXISTS "${share}/mime/mime.cache")
check("uninstall removed a file it did not install" EXISTS "${samples}/named.qdt")

file(REMOVE_RECURSE "${stage}")
