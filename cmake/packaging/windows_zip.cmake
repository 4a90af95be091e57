# The Windows zip: the folder a user unzips anywhere and runs the utility
# from, the executables stripped, with a read-me. Made by every build of the
# windows preset as packages/PX6410-VERSION-windows.zip.
if(NOT TARGET px_utility)
  return()  # no system HID adapter: nothing a user could run
endif()

set(PX_ZIP ${CMAKE_BINARY_DIR}/packages/PX6410-${PROJECT_VERSION}-windows.zip)
# Notepad and every Windows editor read CRLF.
configure_file(${PROJECT_SOURCE_DIR}/dist/windows/README.txt.in ${PX_PACKAGE_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT ${PX_ZIP}
  COMMAND ${CMAKE_COMMAND} -DDIST=${CMAKE_BINARY_DIR}/dist -DREADME=${PX_PACKAGE_DIR}/README.txt
          -DSTAGE=${PX_PACKAGE_DIR}/zip -DZIP=${PX_ZIP}
          -P ${CMAKE_CURRENT_LIST_DIR}/make_zip.cmake
  DEPENDS px_utility px6410ctl ${PX_DIST_OUTPUTS} ${PX_SKIN_OUTPUTS} ${PX_PACKAGE_DIR}/README.txt
          ${CMAKE_CURRENT_LIST_DIR}/make_zip.cmake
  COMMENT "Windows zip ${PX_ZIP}" VERBATIM)
add_custom_target(px_windows_zip ALL DEPENDS ${PX_ZIP})

# The zip unzipped into a fresh folder and started under Wine.
add_test(NAME package_windows_zip
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/windows_zip.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}
                 ${PROJECT_VERSION})
set_tests_properties(package_windows_zip PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED "winetemplate;wineprefix"
                     ENVIRONMENT PX_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/wine-template)
