# px6410ctl reads and writes JSON profiles with nlohmann-json, header only.
# Its headers are copied into the build tree so that the MinGW build can see
# them without the host's whole /usr/include.
set(PX_NLOHMANN_SOURCE /usr/include/nlohmann CACHE PATH "nlohmann-json headers")
file(COPY ${PX_NLOHMANN_SOURCE} DESTINATION ${CMAKE_BINARY_DIR}/third_party)
target_include_directories(px6410ctl_commands SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/third_party)
