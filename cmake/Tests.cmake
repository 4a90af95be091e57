# Unit tests. Native: every tests/unit/*.cpp in one GoogleTest executable.
# Windows: tests/win32/*.cpp against googletest built from source with
# MinGW, run by ctest under Wine (see the windows preset's emulator).
include(GoogleTest)

if(NOT WIN32)
  find_package(GTest REQUIRED)
  file(GLOB PX_UNIT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(px_unit_tests ${PX_UNIT_SOURCES})
  target_link_libraries(px_unit_tests PRIVATE px_platform GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(px_unit_tests PRIVATE PX_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                             PX_INSTALLED_DATA_DIR="${PX_INSTALLED_DATA_DIR}")
  px_strict(px_unit_tests)
  # The tools' default settings folder is the test's own, never the user's.
  gtest_discover_tests(px_unit_tests DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120 ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config-home")

  # The portable core must stay free of platform headers.
  add_test(NAME core_has_no_platform_headers
           COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckNoWindowsH.cmake)
  # Folders include only from the layers below them: no circles.
  add_test(NAME src_folders_follow_the_layers
           COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/src
                   -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
else()
  set(PX_GTEST_SRC /usr/src/googletest CACHE PATH "googletest sources for the MinGW build")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${PX_GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  file(GLOB PX_WIN_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp)
  if(PX_WIN_TEST_SOURCES)
    add_executable(px_win_tests ${PX_WIN_TEST_SOURCES})
    target_link_libraries(px_win_tests PRIVATE px_platform gtest gtest_main)
    target_compile_definitions(px_win_tests PRIVATE PX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    px_strict(px_win_tests)
    # One ctest entry: discovery under Wine at build time would be slow.
    add_test(NAME win32_unit_tests COMMAND px_win_tests)
    set_tests_properties(win32_unit_tests PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED wineprefix)
  endif()

  # One Wine prefix per build tree, prepared once before the tests (fonts
  # mapped): the end-to-end scripts each copy it, and the tests that run
  # programs through scripts/wine-env.sh start from a copy of it too.
  set(PX_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/wine-template)
  add_test(NAME wine_template COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/make_wine_template.sh
                                      ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(wine_template PROPERTIES FIXTURES_SETUP winetemplate TIMEOUT 600)
  add_test(NAME wineprefix_init COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-env.sh wineboot -i)
  set_tests_properties(wineprefix_init PROPERTIES FIXTURES_SETUP wineprefix FIXTURES_REQUIRED winetemplate
                                                  TIMEOUT 600 ENVIRONMENT PX_WINE_TEMPLATE=${PX_WINE_TEMPLATE})

  # Independent tests run side by side (each end-to-end script has its own
  # display and prefix); the longest start first.
  set(PX_WINE_TEST_COSTS e2e_dialog_looks=90 e2e_dialogs=80 e2e_rows=70 e2e_page_looks=60 e2e_skins_button=40
                         e2e_soak=30 e2e_start=30 e2e_notify=25)
  file(GLOB PX_WINE_TEST_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/*.sh)
  foreach(script IN LISTS PX_WINE_TEST_SCRIPTS)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME wine_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
    set(cost 10)
    foreach(entry IN LISTS PX_WINE_TEST_COSTS)
      if(entry MATCHES "^${name}=([0-9]+)$")
        set(cost ${CMAKE_MATCH_1})
      endif()
    endforeach()
    set_tests_properties(wine_${name} PROPERTIES TIMEOUT 900 COST ${cost} FIXTURES_REQUIRED "winetemplate;wineprefix"
                                                 ENVIRONMENT PX_WINE_TEMPLATE=${PX_WINE_TEMPLATE})
  endforeach()
endif()
