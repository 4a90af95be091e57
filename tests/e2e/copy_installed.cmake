# Copies the installed files of FROM (config.bin, str.ini, Skins/) into TO,
# whatever of them exists; the executable of TO stays its own.
foreach(name config.bin str.ini)
  if(EXISTS ${FROM}/${name})
    file(COPY ${FROM}/${name} DESTINATION ${TO})
  endif()
endforeach()
if(IS_DIRECTORY ${FROM}/Skins)
  file(COPY ${FROM}/Skins DESTINATION ${TO})
endif()
