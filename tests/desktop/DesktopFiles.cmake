# Checks of what `cmake --install` puts on a desktop (dist/), run by ctest as
#   cmake -DBUILD_DIR=… -DWORK_DIR=… -DDATADIR=… -DMANDIR=… -DVERSION=… -DCHECK=<check> -P DesktopFiles.cmake
# (DATADIR and MANDIR as GNUInstallDirs gives them to the install rules, relative to the prefix).
# Each check installs the "desktop" component into WORK_DIR/prefix first. A check whose tool is
# missing prints "SKIPPED: …" with the package to install (ctest reports it as skipped).
#   files      every file in its place, each PNG of the size its folder says, the version in the
#              metainfo and the man pages
#   desktop    desktop-file-validate on the launcher entry
#   appstream  appstreamcli validate on the metainfo
#   mime       xmllint on the file types, and update-mime-database finds their patterns
#   man        groff reads the man pages without a warning
cmake_minimum_required(VERSION 3.25)

set(app jp.orvane.Orvane)
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --component desktop
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}")
endif()
set(share ${prefix}/${DATADIR})
set(man1 ${prefix}/${MANDIR}/man1)

# Ends the check as skipped when `tool` is not installed.
macro(skip_without tool package)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message("SKIPPED: ${tool} is not installed (Debian package ${package}; scripts/install-deps.sh installs it)")
    return()
  endif()
endmacro()

# Runs a tool; fails on a non-zero status or when its output matches `bad`.
function(run_tool bad)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  message("${ARGN}\n${out}")
  if(NOT rc EQUAL 0 OR (NOT bad STREQUAL "" AND out MATCHES "${bad}"))
    message(FATAL_ERROR "failed (status ${rc})")
  endif()
endfunction()

if(CHECK STREQUAL "files")
  set(expected
    ${share}/applications/${app}.desktop
    ${share}/metainfo/${app}.metainfo.xml
    ${share}/mime/packages/${app}.xml
    ${share}/icons/hicolor/scalable/apps/${app}.svg
    ${man1}/orvane.1
    ${man1}/orvane-cli.1)
  foreach(file IN LISTS expected)
    if(NOT EXISTS ${file})
      message(SEND_ERROR "not installed: ${file}")
    endif()
  endforeach()
  # A PNG's width and height are the big-endian numbers at bytes 16 and 20.
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${share}/icons/hicolor/${size}x${size}/apps/${app}.png)
    if(NOT EXISTS ${png})
      message(SEND_ERROR "not installed: ${png}")
      continue()
    endif()
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 16 dimensions)
    math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(REPLACE "0x" "" hex "${hex}")
    string(LENGTH "${hex}" length)
    math(EXPR pad "8 - ${length}")
    string(REPEAT "0" ${pad} zeros)
    set(want "${zeros}${hex}${zeros}${hex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT dimensions STREQUAL want)
      message(SEND_ERROR "${png}: not a ${size} × ${size} PNG (header ${header})")
    endif()
  endforeach()
  file(READ ${share}/metainfo/${app}.metainfo.xml metainfo)
  if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${VERSION}\"")
    message(SEND_ERROR "the metainfo's newest release is not the project's version ${VERSION}")
  endif()
  foreach(page orvane orvane-cli)
    file(STRINGS ${man1}/${page}.1 heading REGEX "^\\.TH ")
    if(NOT heading MATCHES "\"Orvane ${VERSION}\"")
      message(SEND_ERROR "${page}.1 does not name version ${VERSION}: ${heading}")
    endif()
  endforeach()
  file(STRINGS ${share}/applications/${app}.desktop icon REGEX "^Icon=")
  if(NOT icon STREQUAL "Icon=${app}")
    message(SEND_ERROR "the desktop entry's icon is not ${app}: ${icon}")
  endif()
elseif(CHECK STREQUAL "desktop")
  skip_without(desktop-file-validate desktop-file-utils)
  run_tool("error:|warning:" ${found_desktop-file-validate} ${share}/applications/${app}.desktop)
elseif(CHECK STREQUAL "appstream")
  skip_without(appstreamcli appstream)
  run_tool("" ${found_appstreamcli} validate --no-net ${share}/metainfo/${app}.metainfo.xml)
elseif(CHECK STREQUAL "mime")
  skip_without(xmllint libxml2-utils)
  skip_without(update-mime-database shared-mime-info)
  run_tool("." ${found_xmllint} --noout ${share}/mime/packages/${app}.xml)
  run_tool("" ${found_update-mime-database} ${share}/mime)
  file(READ ${share}/mime/globs2 globs)
  foreach(pair "application/x-orvane-route:[*].rtd" "application/x-pcx5-track:[*].trk"
               "application/x-pcx5-waypoints:[*].wpt" "application/x-orvane-mountain-names:[*].ndb")
    if(NOT globs MATCHES "${pair}")
      message(SEND_ERROR "update-mime-database did not take ${pair}:\n${globs}")
    endif()
  endforeach()
elseif(CHECK STREQUAL "man")
  skip_without(groff groff-base)
  foreach(page orvane orvane-cli)
    run_tool("." ${found_groff} -man -ww -z -K utf8 -Tutf8 ${man1}/${page}.1)
  endforeach()
else()
  message(FATAL_ERROR "unknown check ${CHECK}")
endif()
