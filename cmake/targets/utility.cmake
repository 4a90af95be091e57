# The Windows utility itself: the dialog layer, the application's windows,
# and two builds of PX6410-3-4.exe that differ only in their mouse: the real
# one in dist/, stripped (beside config.bin, str.ini and Skins/ that the other
# targets install there; its copy with symbols stays in symbols/), and the
# simulator build in dist-sim/, whose mouse is the state file
# simulated-mouse.bin beside it. Plus the helper executable of the
# end-to-end tests and the minimal tray program the start-up is measured against.
if(NOT WIN32)
  return()
endif()

enable_language(RC)

set(PX_APP_RES_DIR ${PROJECT_SOURCE_DIR}/src/app/win32/res)
set(PX_APP_RC ${PX_APP_RES_DIR}/px6410.rc)
set_source_files_properties(${PX_APP_RC} PROPERTIES
  OBJECT_DEPENDS "${PX_APP_RES_DIR}/app.ico;${PX_APP_RES_DIR}/px6410.manifest;${PROJECT_SOURCE_DIR}/src/app/win32/resource_ids.h;${PX_GENERATED_DIR}/px_version.h"
  INCLUDE_DIRECTORIES ${PX_GENERATED_DIR})

file(GLOB PX_WINUI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/winui/*.cpp)
add_library(px_winui STATIC ${PX_WINUI_SOURCES})
target_include_directories(px_winui PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(px_winui PUBLIC user32 gdi32)
px_strict(px_winui)

# The settings page's view over the main window.
file(GLOB PX_PAGE_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/page/win32/*.cpp)
add_library(px_page_win32 STATIC ${PX_PAGE_WIN32_SOURCES})
target_link_libraries(px_page_win32 PUBLIC px_winui px_skin_win32 px_platform comctl32 comdlg32 msimg32 shell32 user32 gdi32)
px_strict(px_page_win32)

# The windows of the application, without the entry and without a bus.
file(GLOB PX_APP_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/win32/*.cpp)
list(FILTER PX_APP_WIN32_SOURCES EXCLUDE REGEX "/(main|utility_bus_[a-z]+)\\.cpp$")
add_library(px_app_win32 STATIC ${PX_APP_WIN32_SOURCES})
target_link_libraries(px_app_win32 PUBLIC px_page_win32 px_winui px_skin_win32 px_platform comctl32 comdlg32 gdiplus msimg32 shell32 user32 gdi32)
px_strict(px_app_win32)

function(px_utility target folder bus_source)
  add_executable(${target} WIN32 ${PROJECT_SOURCE_DIR}/src/app/win32/main.cpp ${bus_source} ${PX_APP_RC})
  target_link_libraries(${target} PRIVATE px_app_win32)
  target_include_directories(${target} PRIVATE ${PX_APP_RES_DIR})
  target_link_options(${target} PRIVATE -municode)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME PX6410-3-4
                                             RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${folder})
  px_strict(${target})
endfunction()

# The real build needs the system's HID bus (SetupAPI + hid.dll).
file(GLOB PX_SYSTEM_BUS_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/device/win32/*.cpp)
if(PX_SYSTEM_BUS_SOURCES)
  # Linked in the build tree, symbols and all, for debugging; the installed
  # folder gets the same program stripped (about half the size).
  px_utility(px_utility symbols ${PROJECT_SOURCE_DIR}/src/app/win32/utility_bus_system.cpp)
  add_custom_command(TARGET px_utility POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND ${CMAKE_STRIP} --strip-all -o ${CMAKE_BINARY_DIR}/dist/PX6410-3-4.exe $<TARGET_FILE:px_utility>
    COMMENT "Stripped PX6410-3-4.exe into dist/ (symbols kept in symbols/)")
else()
  message(STATUS "No Windows HID adapter yet: only the simulator build of the utility is made")
endif()
px_utility(px_utility_sim dist-sim ${PROJECT_SOURCE_DIR}/src/app/win32/utility_bus_simulated.cpp)

# The simulator build's folder gets the installed files of dist/ beside it
# (refreshed at every build; the end-to-end tests copy from both).
add_custom_target(px_dist_sim_files ALL
  COMMAND ${CMAKE_COMMAND} -DFROM=${CMAKE_BINARY_DIR}/dist -DTO=${CMAKE_BINARY_DIR}/dist-sim
          -P ${PROJECT_SOURCE_DIR}/tests/e2e/copy_installed.cmake
  COMMENT "Installed files beside the simulator build")
add_dependencies(px_dist_sim_files px_utility_sim)
px_after_installed_files(px_dist_sim_files)

# End-to-end helper: finds the window by class, sends messages, reads state.
px_program(px_e2e_helper WIDE_MAIN SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/px_e2e_helper.cpp
           LIBS user32 shell32 comctl32 gdi32 ntdll)

# The yardstick of the start-up measurement: a window that only adds a tray icon.
px_program(px_minimal_tray WIN32 WIDE_MAIN SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/minimal_tray.cpp LIBS user32 shell32)

# The dialog layer and the resources need windows, hence a display: these
# tests run on a virtual display (tests/wine/e2e_winui.sh), not with the
# display-less Windows unit tests.
add_executable(px_app_win_tests ${PROJECT_SOURCE_DIR}/tests/e2e/winui_tests.cpp
               ${PROJECT_SOURCE_DIR}/tests/e2e/page_view_tests.cpp ${PX_APP_RC})
target_include_directories(px_app_win_tests PRIVATE ${PX_APP_RES_DIR})
target_link_libraries(px_app_win_tests PRIVATE px_app_win32 gtest gtest_main)
target_compile_definitions(px_app_win_tests PRIVATE PX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
px_strict(px_app_win_tests)

# Drawing benchmark of the settings page (scripts/bench-page.sh runs it), and
# the page's rebuild stopped for screenshots (scripts/rebuild-shot.sh).
px_program(px_page_bench WIDE_MAIN SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/page_bench.cpp LIBS px_app_win32)
px_program(px_rebuild_shot WIDE_MAIN SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/page_rebuild_shot.cpp LIBS px_app_win32)
