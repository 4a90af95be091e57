# Skin drawing and the small dialogs' frame and skin chooser for the Windows
# utility (px_skin_win32) and the shipped skins,
# copied into the build tree as dist/Skins/<name>/ in every build.

if(WIN32)
  file(GLOB PX_SKIN_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/skin/win32/*.cpp)
  add_library(px_skin_win32 STATIC ${PX_SKIN_WIN32_SOURCES})
  target_link_libraries(px_skin_win32 PUBLIC px_winui px_platform gdiplus msimg32 gdi32 user32 comdlg32 shlwapi ole32)
  px_strict(px_skin_win32)
  if(TARGET px_win_tests)
    target_link_libraries(px_win_tests PRIVATE px_skin_win32)
  endif()
endif()

# Shipped skins: every folder under skins/ that holds PNGs.
file(GLOB PX_SKIN_DIRS LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/skins/*)
set(PX_SKIN_OUTPUTS "")
foreach(dir IN LISTS PX_SKIN_DIRS)
  if(NOT IS_DIRECTORY ${dir})
    continue()
  endif()
  get_filename_component(skin ${dir} NAME)
  # The images and the skin's recommended text colour, when it names one.
  file(GLOB pngs CONFIGURE_DEPENDS ${dir}/*.png ${dir}/text-color.txt)
  foreach(png IN LISTS pngs)
    get_filename_component(name ${png} NAME)
    set(out ${CMAKE_BINARY_DIR}/dist/Skins/${skin}/${name})
    add_custom_command(OUTPUT ${out}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${png} ${out}
                       DEPENDS ${png} VERBATIM)
    list(APPEND PX_SKIN_OUTPUTS ${out})
  endforeach()
endforeach()
add_custom_target(px_skins ALL DEPENDS ${PX_SKIN_OUTPUTS})

# Where the skins are installed: cmake/Packaging.cmake.

# The build tree's dist/ holds exactly the shipped images.
foreach(dir IN LISTS PX_SKIN_DIRS)
  if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/main.png)
    get_filename_component(skin ${dir} NAME)
    add_test(NAME skin_${skin}_in_dist
             COMMAND ${CMAKE_COMMAND} -E compare_files ${dir}/main.png ${CMAKE_BINARY_DIR}/dist/Skins/${skin}/main.png)
  endif()
endforeach()

# Every shipped picture at both densities, alike but for the 2x's finer
# drawing. Debian's python3, the one python3-pil serves.
if(NOT WIN32)
  find_program(PX_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  add_test(NAME skin_pictures_at_two_densities
           COMMAND ${PX_SYSTEM_PYTHON} ${PROJECT_SOURCE_DIR}/tests/skins/two_densities.py ${PROJECT_SOURCE_DIR}/skins)
endif()

# The skin's pictures and fonts for the Linux utility's Qt windows.
if(PX_QT)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  file(GLOB PX_SKIN_QT_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/skin/qt/*.cpp)
  add_library(px_skin_qt STATIC ${PX_SKIN_QT_SOURCES})
  target_link_libraries(px_skin_qt PUBLIC px_platform Qt6::Widgets)
  px_strict(px_skin_qt)
endif()
