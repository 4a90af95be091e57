# cmake -DDIST=dist -DREADME=README.txt -DSTAGE=dir -DZIP=out.zip -P make_zip.cmake
# Lays out PX6410/ in STAGE from the build's installed folder and zips it.
file(REMOVE_RECURSE ${STAGE})
set(top ${STAGE}/PX6410)
file(MAKE_DIRECTORY ${top})
# The installed folder holds the executables stripped already (their copies
# with symbols stay in the build tree).
file(COPY ${DIST}/PX6410-3-4.exe ${DIST}/px6410ctl.exe ${DIST}/config.bin ${DIST}/str.ini ${DIST}/Skins ${README}
     DESTINATION ${top})
get_filename_component(dir ${ZIP} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip PX6410
                WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${ZIP}: could not be written")
endif()
