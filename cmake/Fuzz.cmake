# libFuzzer targets: tests/fuzz/fuzz_<name>.cpp, each with its committed seed
# corpus in tests/fuzz/corpus/<name>/. ctest runs each for a few seconds from
# that corpus; what it finds new goes to the build tree, never into the
# sources. A crash leaves its input in build/fuzz/artifacts/: copy it into the
# target's corpus as a regression case once it is fixed.
set(PX_FUZZ_SECONDS 8 CACHE STRING "Seconds each fuzz target runs under ctest")
file(GLOB PX_FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/artifacts)
foreach(source IN LISTS PX_FUZZ_SOURCES)
  get_filename_component(target ${source} NAME_WE)
  string(REGEX REPLACE "^fuzz_" "" name ${target})
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE px_platform)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  px_strict(${target})
  set(found ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found})
  add_test(NAME ${target}
           COMMAND ${target} -max_total_time=${PX_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   -artifact_prefix=${CMAKE_BINARY_DIR}/artifacts/${name}- ${found}
                   ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set_tests_properties(${target} PROPERTIES TIMEOUT 120)
endforeach()
