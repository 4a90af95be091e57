# The px6410ctl device tests (tests/wine/ctl_*.sh) also run against the
# native build; the windows build registers them itself, under Wine.
if(NOT WIN32)
  file(GLOB PX_CTL_DEVICE_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/wine/ctl_*.sh)
  foreach(script IN LISTS PX_CTL_DEVICE_TESTS)
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME native_${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
    set_tests_properties(native_${name} PROPERTIES TIMEOUT 120
                         ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config-home")
  endforeach()
endif()
