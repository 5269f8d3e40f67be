# Installs the build into a fresh prefix and runs the installed programs from there.
# -DBUILD_DIR=... -DPREFIX=... -DSAMPLE=name of a picture installed with the samples
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX} RESULT_VARIABLE status
                OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(data ${PREFIX}/share/vantrel)
foreach(file bin/vantrel bin/vantrel-cli share/vantrel/vantrel.MSG share/vantrel/Panel.bmp share/vantrel/Panel.pnl
             share/vantrel/vantrel.default.INI share/vantrel/Vantrel.html share/vantrel/lang/en/vantrel.MSG share/applications/vantrel.desktop
             share/icons/hicolor/scalable/apps/vantrel.svg share/vantrel/samples/${SAMPLE})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

execute_process(COMMAND ${PREFIX}/bin/vantrel-cli make ${data}/samples/${SAMPLE} -o ${PREFIX}/made.nma --frames 3
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "3 frames, 160x54")
  message(FATAL_ERROR "the installed vantrel-cli failed: ${status} ${out} ${err}")
endif()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${PREFIX}/share/applications/vantrel.desktop RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT "${out}${err}" STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}${err}")
  endif()
endif()
file(REMOVE_RECURSE ${PREFIX})
