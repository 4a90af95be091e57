# The small dialogs as Qt windows for the Linux utility: px_buttons_qt (the
# six parameter dialogs, over the frame and skin chooser of px_skin_qt), the
# program that opens each on its own, and the end-to-end scripts that drive
# them on a virtual display (tests/linux/dialogs*.sh).
if(NOT PX_QT)
  return()
endif()

file(GLOB PX_QT_DIALOG_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/buttons/qt/*.cpp)
add_library(px_buttons_qt STATIC ${PX_QT_DIALOG_SOURCES})
target_link_libraries(px_buttons_qt PUBLIC px_skin_qt px_platform Qt6::Widgets)
px_strict(px_buttons_qt)

# The dialogs' own end-to-end runs stay out of the sanitizer build (time);
# the page's flow there opens them through the program.
if(PX_SANITIZE)
  return()
endif()

# Opens one dialog over a window of its own and prints what it answered.
px_program(px_dialog_runner_qt SOURCES ${PROJECT_SOURCE_DIR}/tests/e2e/px_dialog_runner_qt.cpp LIBS px_buttons_qt)

# Each script has a display of its own; the dialogs' shipped skins come
# from dist/ of this build.
file(GLOB PX_LINUX_DIALOG_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/linux/dialogs*.sh)
list(FILTER PX_LINUX_DIALOG_SCRIPTS EXCLUDE REGEX "_lib\\.sh$")
foreach(script IN LISTS PX_LINUX_DIALOG_SCRIPTS)
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME linux_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(linux_${name} PROPERTIES TIMEOUT 300)
endforeach()
