# fmt and fast_float are used header-only. Their headers sit in /usr/include, which a cross
# compiler such as emscripten must not search as a whole (it would find the host's C library), so
# the two folders are linked into one of their own in the build tree and searched there.
function(sho_add_number_text_headers target)
  find_path(SHO_FMT_INCLUDE_DIR fmt/compile.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_path(SHO_FAST_FLOAT_INCLUDE_DIR fast_float/fast_float.h PATHS /usr/include
    NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  set(linked ${CMAKE_BINARY_DIR}/number_text_headers)
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${SHO_FMT_INCLUDE_DIR}/fmt ${linked}/fmt SYMBOLIC)
  file(CREATE_LINK ${SHO_FAST_FLOAT_INCLUDE_DIR}/fast_float ${linked}/fast_float SYMBOLIC)
  target_include_directories(${target} SYSTEM PRIVATE ${linked})
endfunction()
