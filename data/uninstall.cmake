# Removes the files the last install put in place, as its manifest lists
# them, and nothing else:
#   [DESTDIR=...] cmake -D MANIFEST=BUILD/install_manifest.txt -P uninstall.cmake
# The manifest names the files without DESTDIR, so the same DESTDIR is given
# again. The desktop's caches are refreshed afterwards unless DESTDIR is set.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${MANIFEST}")
  message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} is missing (make install writes it)")
endif()
file(STRINGS "${MANIFEST}" installed)
set(datadirs)
foreach(listed IN LISTS installed)
  set(path "$ENV{DESTDIR}${listed}")
  if(EXISTS "${path}" OR IS_SYMLINK "${path}")
    message(STATUS "Removing ${path}")
    file(REMOVE "${path}")
  endif()
  # The data folder (PREFIX/share) whose caches knew the file.
  if(path MATCHES "^(.*)/mime/packages/[^/]+$")
    list(APPEND datadirs "${CMAKE_MATCH_1}")
  elseif(path MATCHES "^(.*)/applications/[^/]+\\.desktop$")
    list(APPEND datadirs "${CMAKE_MATCH_1}")
  elseif(path MATCHES "^(.*)/icons/hicolor/.+$")
    list(APPEND datadirs "${CMAKE_MATCH_1}")
  endif()
endforeach()
if("$ENV{DESTDIR}" STREQUAL "")
  include("${CMAKE_CURRENT_LIST_DIR}/desktop_caches.cmake")
  list(REMOVE_DUPLICATES datadirs)
  foreach(datadir IN LISTS datadirs)
    gridwork_refresh_desktop_caches("${datadir}")
  endforeach()
endif()
