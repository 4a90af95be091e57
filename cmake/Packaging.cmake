# The installed layout and the packages made from it: on Linux a Debian
# package, on Windows a zip of the utility's folder. Included after every
# target exists, so that the Linux utility (target px6410) goes into the
# package whenever the tree builds it.
if(PX_SANITIZE)
  return()  # the sanitizer builds are never shipped
endif()

set(PX_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)  # files made for the packages
set(PX_PACKAGE_MAINTAINER "PX6410 utility maintainers <maintainers@px6410.invalid>"
    CACHE STRING "Name <address> of the packages' maintainer")

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/packaging/windows_zip.cmake)
else()
  include(${CMAKE_CURRENT_LIST_DIR}/packaging/debian.cmake)
endif()
