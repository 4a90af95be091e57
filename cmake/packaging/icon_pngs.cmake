# cmake -DICO=app.ico -DNAME=px6410 -DOUT=dir -P icon_pngs.cmake
# Writes each picture of the Windows icon as OUT/<N>x<N>/apps/NAME.png, the
# icon theme's layout, so that the desktop shows the same icon as Windows.
find_program(IDENTIFY identify REQUIRED)
find_program(CONVERT convert REQUIRED)
execute_process(COMMAND ${IDENTIFY} -format "%w %h\n" ${ICO}
                OUTPUT_VARIABLE frames RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${ICO}: not an icon ImageMagick can read")
endif()
string(STRIP "${frames}" frames)
string(REPLACE "\n" ";" frames "${frames}")
set(index 0)
foreach(frame IN LISTS frames)
  string(REPLACE " " ";" wh "${frame}")
  list(GET wh 0 w)
  list(GET wh 1 h)
  if(NOT w EQUAL h)
    message(FATAL_ERROR "${ICO}: picture ${index} is ${w}x${h}, not square")
  endif()
  file(MAKE_DIRECTORY ${OUT}/${w}x${w}/apps)
  # No time stamps in the file: the same icon makes the same PNG.
  execute_process(COMMAND ${CONVERT} "${ICO}[${index}]" -strip -define png:exclude-chunks=date,time
                          PNG32:${OUT}/${w}x${w}/apps/${NAME}.png
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${ICO}: picture ${index} could not be written as PNG")
  endif()
  math(EXPR index "${index} + 1")
endforeach()
