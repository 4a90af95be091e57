# The Debian package: CPack's DEB generator over these install rules
# (cpack in the build folder, or scripts/package.sh). Installed under
# CMAKE_INSTALL_PREFIX (/usr in the native preset), which also gives the
# programs their installed data folder.
find_program(PX_PYTHON python3 REQUIRED)
set(PX_PACKAGE_OUTPUTS "")

# A program's manual page from its own help, made again whenever the program is.
function(px_manual_page target)
  set(page ${PX_PACKAGE_DIR}/${target}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${PX_PYTHON} ${PROJECT_SOURCE_DIR}/cmake/help_to_man.py --program $<TARGET_FILE:${target}>
            --name ${target} --source "px6410 ${PROJECT_VERSION}" ${ARGN} --output ${page}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/help_to_man.py
    COMMENT "Manual page of ${target} from its help" VERBATIM)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(PX_PACKAGE_OUTPUTS ${PX_PACKAGE_OUTPUTS} ${page} PARENT_SCOPE)
endfunction()

# The command-line tool, its manual, its completion.
install(TARGETS px6410ctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
px_manual_page(px6410ctl --commands)
set(completion ${PX_PACKAGE_DIR}/px6410ctl.bash)
add_custom_command(OUTPUT ${completion}
  COMMAND sh -c "\"$1\" completion bash > \"$2\"" sh $<TARGET_FILE:px6410ctl> ${completion}
  DEPENDS px6410ctl VERBATIM)
list(APPEND PX_PACKAGE_OUTPUTS ${completion})
install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME px6410ctl)

# The Linux utility, once the tree builds it: program, manual, menu entry, icon.
if(TARGET px6410)
  install(TARGETS px6410 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  px_manual_page(px6410 --summary "the PX6410 gaming mouse's settings page behind a tray icon")
  install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/px6410.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  set(icons ${PX_PACKAGE_DIR}/icons)
  set(ico ${PROJECT_SOURCE_DIR}/src/app/win32/res/app.ico)
  add_custom_command(OUTPUT ${icons}.stamp
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${icons}
    COMMAND ${CMAKE_COMMAND} -DICO=${ico} -DNAME=px6410 -DOUT=${icons} -P ${CMAKE_CURRENT_LIST_DIR}/icon_pngs.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${icons}.stamp
    DEPENDS ${ico} ${CMAKE_CURRENT_LIST_DIR}/icon_pngs.cmake VERBATIM)
  list(APPEND PX_PACKAGE_OUTPUTS ${icons}.stamp)
  install(DIRECTORY ${icons}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# The data every program of the package shares: default settings and skins.
install(FILES ${PROJECT_SOURCE_DIR}/dist/config.bin ${PROJECT_SOURCE_DIR}/dist/str.ini
        DESTINATION ${CMAKE_INSTALL_DATADIR}/px6410)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/skins/ DESTINATION ${CMAKE_INSTALL_DATADIR}/px6410/Skins
        FILES_MATCHING PATTERN "*.png" PATTERN "text-color.txt")

# Access to the mouse for the user at the seat (postinst makes udev read it).
install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/70-px6410.rules DESTINATION lib/udev/rules.d)

# Documentation: copyright, read-me, and the changelog Debian asks for.
string(TIMESTAMP PX_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)  # SOURCE_DATE_EPOCH when set
configure_file(${PROJECT_SOURCE_DIR}/dist/linux/changelog.in ${PX_PACKAGE_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${PX_PACKAGE_DIR}/changelog.gz
  COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${PX_PACKAGE_DIR}/changelog ${PX_PACKAGE_DIR}/changelog.gz
  DEPENDS ${PX_PACKAGE_DIR}/changelog VERBATIM)
list(APPEND PX_PACKAGE_OUTPUTS ${PX_PACKAGE_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/copyright ${PROJECT_SOURCE_DIR}/README.md ${PX_PACKAGE_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

add_custom_target(px_package_files ALL DEPENDS ${PX_PACKAGE_OUTPUTS})
# Everything the package takes (scripts/package.sh builds only this); cpack
# then installs without building the rest of the tree first.
add_custom_target(px_package_programs DEPENDS px_package_files px6410ctl)
if(TARGET px6410)
  add_dependencies(px_package_programs px6410)
endif()
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME px6410)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${PX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PX_PACKAGE_MAINTAINER})
set(PX_PACKAGE_TOOL_TEXT
  "px6410ctl reads and writes them from the command line. Both keep them\n"
  "in the same config.bin and str.ini as the Windows utility and send them\n"
  "to the mouse through its hidraw nodes, which a udev rule opens to the\n"
  "user at the seat.")
if(TARGET px6410)
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings utility and command-line tool for the PX6410 gaming mouse")
  set(CPACK_PACKAGE_DESCRIPTION
    "Sets the PX6410 wired USB gaming mouse: its four programmable buttons\n"
    "in two modes, report rate, four DPI stages with their colours and\n"
    "lighting. px6410 shows them on one skinned settings page behind a\n"
    "notification-area icon, with the Windows utility's dialogs and skins.\n"
    ${PX_PACKAGE_TOOL_TEXT})
else()
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "settings of the PX6410 gaming mouse from the command line")
  set(CPACK_PACKAGE_DESCRIPTION
    "px6410ctl reads and writes the settings of the PX6410 wired USB gaming\n"
    "mouse: its four programmable buttons in two modes, report rate, four DPI\n"
    "stages with their colours and lighting. It keeps them in the same\n"
    "config.bin and str.ini as the Windows utility and sends them to the mouse\n"
    "through its hidraw nodes, which a udev rule opens to the user at the seat.")
endif()
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET px6410)
  # Qt's Wayland platform plugin, so that px6410 runs as a Wayland client on
  # Wayland desktops instead of depending on Xwayland being there; the
  # libraries found by shlibdeps are added to it.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/dist/linux/postinst ${PROJECT_SOURCE_DIR}/dist/linux/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

# The package as a user gets it (tests/package/debian_package.sh).
if(TARGET px6410)
  set(with_utility 1)
else()
  set(with_utility 0)
endif()
add_test(NAME package_debian
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/debian_package.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR}
                 ${PROJECT_VERSION} ${with_utility})
set_tests_properties(package_debian PROPERTIES TIMEOUT 300)
# The utility's icon for the desktop, made from the Windows one.
add_test(NAME package_utility_icons
         COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/utility_icons.sh ${PROJECT_SOURCE_DIR})
