# Refreshes the desktop's caches of MIME types, desktop entries and icons
# under a data folder (PREFIX/share). A tool that is missing or fails is
# passed over: the files are in place either way, and the desktop finds them
# at the latest when it rebuilds its caches itself.
function(gridwork_refresh_desktop_caches datadir)
  find_program(update_mime update-mime-database)
  find_program(update_desktop update-desktop-database)
  find_program(update_icons gtk-update-icon-cache)
  if(update_mime AND IS_DIRECTORY "${datadir}/mime/packages")
    message(STATUS "Refreshing the MIME types of ${datadir}/mime")
    execute_process(COMMAND "${update_mime}" "${datadir}/mime" RESULT_VARIABLE ignored)
  endif()
  if(update_desktop AND IS_DIRECTORY "${datadir}/applications")
    message(STATUS "Refreshing the desktop entries of ${datadir}/applications")
    execute_process(COMMAND "${update_desktop}" -q "${datadir}/applications" RESULT_VARIABLE ignored)
  endif()
  # Only a theme with its index has a cache; others are read without one.
  if(update_icons AND EXISTS "${datadir}/icons/hicolor/index.theme")
    message(STATUS "Refreshing the icons of ${datadir}/icons/hicolor")
    execute_process(COMMAND "${update_icons}" -q -f "${datadir}/icons/hicolor" RESULT_VARIABLE ignored)
  endif()
endfunction()
