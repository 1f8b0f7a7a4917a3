# Runs after cpack has written the Debian package (CPACK_POST_BUILD_SCRIPTS).
#
# cpack adds postinst and postrm scripts that run ldconfig whenever a shared
# library lies in a folder under /usr/lib, here the device library in the
# program's private folder /usr/lib/zentrix. The dynamic linker never looks
# there, so the calls do nothing; Debian's checker rejects them. This script
# unpacks the package, removes the two scripts when ldconfig is all they do,
# and builds the package again with the same contents.

find_program(ZENTRIX_DPKG_DEB dpkg-deb REQUIRED)

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.deb$")
    continue()
  endif()
  get_filename_component(package_dir "${package}" DIRECTORY)
  set(tree "${package_dir}/repack-tree")
  file(REMOVE_RECURSE "${tree}")
  execute_process(COMMAND "${ZENTRIX_DPKG_DEB}" --raw-extract "${package}" "${tree}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cannot unpack ${package}")
  endif()

  set(changed FALSE)
  foreach(script postinst postrm)
    set(path "${tree}/DEBIAN/${script}")
    if(EXISTS "${path}")
      file(READ "${path}" text)
      # What is left once the shell line, "set -e", the ldconfig call and the
      # configure/remove test around it are taken out.
      string(REGEX REPLACE "#![^\n]*\n|set -e|if[^\n]*\n|fi|ldconfig|[ \t\n]" "" rest "${text}")
      if(rest STREQUAL "")
        file(REMOVE "${path}")
        set(changed TRUE)
      else()
        message(WARNING "${script} does more than call ldconfig; kept")
      endif()
    endif()
  endforeach()

  if(changed)
    execute_process(COMMAND "${ZENTRIX_DPKG_DEB}" --root-owner-group --build "${tree}" "${package}"
      RESULT_VARIABLE status OUTPUT_QUIET)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "cannot rebuild ${package}")
    endif()
  endif()
  file(REMOVE_RECURSE "${tree}")
endforeach()
