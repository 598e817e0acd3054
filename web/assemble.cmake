# Puts the page together, in two passes around emscripten's link (cmake -P):
#   MODE=shell: HTML (page.html) with the style sheet CSS (page.css) in its <style> element, for
#               emscripten to put the script into (OUTPUT, its --shell-file);
#   MODE=page:  the linked page HTML with the hashes of its one <script> and its one <style> in
#               its Content-Security-Policy, written to OUTPUT.
cmake_minimum_required(VERSION 3.25)

# A SHA-256 digest given in hexadecimal, in base64 as a Content-Security-Policy names it.
function(hex_to_base64 hex result)
  set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
  string(LENGTH "${hex}" length)
  set(encoded "")
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${hex}" ${at} 6 group)  # three bytes, or what is left
    string(LENGTH "${group}" digits)
    math(EXPR bits "0x${group} << (4 * (6 - ${digits}))")
    math(EXPR characters "${digits} / 2 + 1")
    foreach(k RANGE 3)
      if(k LESS characters)
        math(EXPR index "(${bits} >> (18 - 6 * ${k})) & 63")
        string(SUBSTRING "${alphabet}" ${index} 1 character)
        string(APPEND encoded "${character}")
      else()
        string(APPEND encoded "=")
      endif()
    endforeach()
    math(EXPR at "${at} + 6")
  endwhile()
  set(${result} "${encoded}" PARENT_SCOPE)
endfunction()

# The text between `open` and the next `close` in `html`, which must hold exactly one of each.
function(only_element html open close result)
  string(FIND "${html}" "${open}" start)
  string(FIND "${html}" "${open}" last REVERSE)
  if(start EQUAL -1 OR NOT start EQUAL last)
    message(FATAL_ERROR "The page must have exactly one ${open}")
  endif()
  string(LENGTH "${open}" open_length)
  math(EXPR start "${start} + ${open_length}")
  string(SUBSTRING "${html}" ${start} -1 rest)
  string(FIND "${rest}" "${close}" length)
  string(SUBSTRING "${rest}" 0 ${length} content)
  set(${result} "${content}" PARENT_SCOPE)
endfunction()

function(csp_hash text result)
  string(SHA256 hex "${text}")
  hex_to_base64(${hex} base64)
  set(${result} "'sha256-${base64}'" PARENT_SCOPE)
endfunction()

file(READ "${HTML}" html)
if(MODE STREQUAL "shell")
  file(READ "${CSS}" css)
  # Own lines for the tags: emscripten's preprocessor leaves alone what lies between them.
  string(REPLACE "<style></style>" "<style>\n${css}</style>" html "${html}")
elseif(MODE STREQUAL "page")
  only_element("${html}" "<script>" "</script>" script)
  only_element("${html}" "<style>" "</style>" style)
  csp_hash("${script}" script_hash)
  csp_hash("${style}" style_hash)
  string(REPLACE "'sha256-SCRIPT'" "${script_hash}" html "${html}")
  string(REPLACE "'sha256-STYLE'" "${style_hash}" html "${html}")
  # What a teacher mails to a class: at most 400 KB.
  string(LENGTH "${html}" size)
  if(size GREATER 400000)
    message(FATAL_ERROR "The page has ${size} bytes, more than 400,000")
  endif()
else()
  message(FATAL_ERROR "MODE must be shell or page")
endif()
file(WRITE "${OUTPUT}" "${html}")
