# The unit tests run px6410ctl itself on hand-made files.
if(TARGET px_unit_tests)
  add_dependencies(px_unit_tests px6410ctl)
  target_link_libraries(px_unit_tests PRIVATE px6410ctl_commands)
  target_compile_definitions(px_unit_tests PRIVATE PX6410CTL_PATH="$<TARGET_FILE:px6410ctl>")
endif()
