# px6410: the Linux utility, Qt 6 Widgets views over the portable core (the
# page's view in src/page/qt, the main window, icon, single instance and
# plugging watch in src/app/qt, the small dialogs of px_buttons_qt). Built into dist/ beside config.bin, str.ini
# and Skins/, so that the build tree runs as a portable folder.
if(NOT PX_QT)
  return()
endif()

find_package(Qt6 REQUIRED COMPONENTS Widgets DBus Network)

file(GLOB PX_PAGE_QT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/page/qt/*.cpp)
add_library(px_page_qt STATIC ${PX_PAGE_QT_SOURCES})
target_link_libraries(px_page_qt PUBLIC px_skin_qt px_platform Qt6::Widgets)
px_strict(px_page_qt)

file(GLOB PX_APP_QT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/qt/*.cpp)
list(FILTER PX_APP_QT_SOURCES EXCLUDE REGEX "/main_qt\\.cpp$")
add_library(px_app_qt STATIC ${PX_APP_QT_SOURCES})
# X11's startup notification for a window shown at another start's request.
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(px_app_qt PUBLIC px_page_qt px_buttons_qt Qt6::Widgets Qt6::DBus Qt6::Network PkgConfig::XCB)
px_strict(px_app_qt)

add_executable(px6410 ${PROJECT_SOURCE_DIR}/src/app/qt/main_qt.cpp)
target_link_libraries(px6410 PRIVATE px_app_qt)
target_include_directories(px6410 PRIVATE ${PX_GENERATED_DIR})
# The application's icon, the Windows build's own file.
qt_add_resources(px6410 px6410_icon PREFIX "/px6410" BASE ${PROJECT_SOURCE_DIR}/src/app/win32/res
                 FILES ${PROJECT_SOURCE_DIR}/src/app/win32/res/app.ico)
set_target_properties(px6410 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
px_strict(px6410)
px_after_installed_files(px6410)

# End to end on Linux (tests/linux/): each script runs px6410 on a virtual
# display of its own with a tray host (trayer) and a session bus whose
# notifications a small sink writes down.
px_program(px_notify_sink SOURCES ${PROJECT_SOURCE_DIR}/tests/linux/notify_sink.cpp LIBS Qt6::DBus)
file(GLOB PX_LINUX_E2E_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/linux/e2e_*.sh)
if(PX_SANITIZE)
  # Under the sanitizers one flow through the page, its files and the mouse
  # (the whole set runs in the native build), for the test command's time.
  set(PX_LINUX_E2E_SCRIPTS ${PROJECT_SOURCE_DIR}/tests/linux/e2e_page.sh)
endif()
foreach(script IN LISTS PX_LINUX_E2E_SCRIPTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME linux_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(linux_${name} PROPERTIES TIMEOUT 180)
endforeach()

# The Qt views at their seams (page, shell, dialogs), on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
find_package(GTest REQUIRED)
file(GLOB PX_QT_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/qt/*.cpp)
add_executable(px_qt_tests ${PX_QT_TEST_SOURCES})
target_link_libraries(px_qt_tests PRIVATE px_app_qt px_buttons_qt Qt6::Test GTest::gtest)
target_compile_definitions(px_qt_tests PRIVATE PX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
px_strict(px_qt_tests)
gtest_discover_tests(px_qt_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60 ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# Drawing benchmark of the Linux page (scripts/bench-page.sh --linux runs it).
if(PX_SANITIZE)
  return()
endif()
px_program(px_page_bench_qt SOURCES ${PROJECT_SOURCE_DIR}/tests/linux/page_bench_qt.cpp LIBS px_page_qt)
