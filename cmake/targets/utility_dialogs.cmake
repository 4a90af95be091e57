# The six parameter dialogs (px_buttons_win32), linked into the utility, and
# the program that opens each small dialog on its own for the end-to-end
# dialog tests (tests/wine/e2e_dialogs.sh). Read after utility.cmake, whose
# targets it extends.
if(NOT WIN32)
  return()
endif()

file(GLOB PX_BUTTONS_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/buttons/win32/*.cpp)
add_library(px_buttons_win32 STATIC ${PX_BUTTONS_WIN32_SOURCES})
target_link_libraries(px_buttons_win32 PUBLIC px_skin_win32 px_winui user32 gdi32)
px_strict(px_buttons_win32)
target_link_libraries(px_app_win32 PUBLIC px_buttons_win32)

# A console program, so that it can print what a dialog answered.
px_program(px_dialog_runner WIDE_MAIN SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/px_dialog_runner.cpp ${PX_APP_RC}
           LIBS px_app_win32)
target_include_directories(px_dialog_runner PRIVATE ${PX_APP_RES_DIR})
