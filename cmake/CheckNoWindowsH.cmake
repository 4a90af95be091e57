# Fails when a source outside a win32/ or winui/ folder includes a Windows
# header, or one outside a qt/ folder a Qt header, or when portable code
# (outside win32/, winui/, linux/ and qt/) names a Windows message, device
# change, key or hook constant: the core speaks in its own enums, and the
# adapters translate the system's numbers. A Win32 name in a comment, to say
# which message an event is, stays allowed.
file(GLOB_RECURSE files "${SRC}/*.h" "${SRC}/*.hpp" "${SRC}/*.cpp")

# The files outside `allowed` that hold a line matching `pattern`; with
# `code_only`, a match counts only before a line comment.
function(px_refuse what allowed pattern code_only)
  set(bad "")
  foreach(f IN LISTS files)
    if(f MATCHES "${allowed}")
      continue()
    endif()
    file(STRINGS "${f}" hits REGEX "${pattern}")
    foreach(hit IN LISTS hits)
      if(code_only)
        string(REGEX REPLACE "//.*$" "" hit "${hit}")
      endif()
      if(hit MATCHES "${pattern}")
        list(APPEND bad "${f}")
        break()
      endif()
    endforeach()
  endforeach()
  if(bad)
    message(FATAL_ERROR "${what}: ${bad}")
  endif()
endfunction()

px_refuse("Windows headers outside win32/" "/(win32|winui)/"
          "#[ \t]*include[ \t]*[<\"](windows|winuser|wingdi|setupapi|hidsdi|hidpi|shellapi|commctrl|gdiplus|dbt)\\.h[>\"]"
          FALSE)
# Qt stays in qt/ folders, as Windows stays in win32/.
px_refuse("Qt headers outside qt/" "/qt/" "#[ \t]*include[ \t]*[<\"]Q[A-Za-z]" FALSE)
px_refuse("Windows constants in portable code" "/(win32|winui|linux|qt)/"
          "(^|[^A-Za-z0-9_])(WM|DBT|VK|HC)_[A-Z]" TRUE)
