# Installs the build under a staging directory with a prefix of its own and checks what a player's
# menu gets: each program with its data beside it, a menu entry whose Exec names the program under
# that prefix (not the one the build was configured with), and the icon in the icon theme.
#   cmake -DBUILD=<build dir> -DSTAGE=<empty dir> -P check_install.cmake
set(prefix /opt/morventica-check)
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${STAGE}"
                        ${CMAKE_COMMAND} --install "${BUILD}" --prefix ${prefix}
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(root "${STAGE}${prefix}")
foreach(name morventica-w480 morventica-w600 morventica-640 morventica-800 morventica-r1-w480
             morventica-r1-800)
  if(NOT EXISTS "${root}/lib/morventica/${name}")
    message(FATAL_ERROR "${name} is not installed in lib/morventica")
  endif()
  file(STRINGS "${root}/share/applications/${name}.desktop" exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=${prefix}/lib/morventica/${name}")
    message(FATAL_ERROR "${name}.desktop: '${exec}'")
  endif()
endforeach()
foreach(path lib/morventica/IMAGE/TITLEC.BMP lib/morventica/SOUND/SHOT.WAV lib/morventica/MIDI/VKT1.MID
             share/icons/hicolor/48x48/apps/morventica.png)
  if(NOT EXISTS "${root}/${path}")
    message(FATAL_ERROR "${path} is not installed")
  endif()
endforeach()
file(REMOVE_RECURSE "${STAGE}")
