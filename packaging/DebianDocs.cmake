# The package's copyright file and changelog, made at configure time from the project's LICENSE
# and CHANGELOG.md, so that each is kept in one place.

# Debian's machine-readable copyright file: one stanza for every file, with the licence's text
# (lines indented by a blank, empty lines as " .").
function(sho_write_debian_copyright license_file output)
  file(STRINGS ${license_file} lines)
  list(FILTER lines INCLUDE REGEX "^Copyright \\(c\\) ")
  list(GET lines 0 copyright_line)
  string(REGEX REPLACE "^Copyright \\(c\\) " "" holder "${copyright_line}")

  file(READ ${license_file} text)
  string(REGEX REPLACE "^MIT License\n+" "" text "${text}")
  string(REGEX REPLACE "^Copyright [^\n]*\n+" "" text "${text}")
  string(STRIP "${text}" text)
  string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
  string(REGEX REPLACE "\n" "\n " text "${text}")
  file(WRITE ${output}
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: ${PROJECT_NAME}\n"
    "\n"
    "Files: *\n"
    "Copyright: ${holder}\n"
    "License: MIT\n"
    " ${text}\n")
endfunction()

# Debian's changelog format from CHANGELOG.md, whose releases are headed "## VERSION (YYYY-MM-DD)"
# and list their changes as "- " items. The newest release must be the project's version.
# Sets SHO_RELEASE_DATE in the caller to the newest release's date.
function(sho_write_debian_changelog changelog_file maintainer output)
  # One list item a line; semicolons, CMake's list separator, are held aside meanwhile.
  file(READ ${changelog_file} text)
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(result "")
  set(newest "")
  set(in_release FALSE)
  set(previous_date "")
  set(same_day 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\(([0-9]+-[0-9]+-[0-9]+)\\)$")
      set(version ${CMAKE_MATCH_1})
      set(date ${CMAKE_MATCH_2})
      if(in_release)
        string(APPEND result "${trailer}\n")
      endif()
      if(newest STREQUAL "")
        set(newest ${version})
        set(SHO_RELEASE_DATE ${date} PARENT_SCOPE)
      endif()
      # Releases of one day are stamped at noon, an older one of the same day a minute earlier:
      # Debian wants every entry newer than the one below it.
      if(date STREQUAL previous_date)
        math(EXPR same_day "${same_day} + 1")
      else()
        set(same_day 0)
      endif()
      set(previous_date ${date})
      math(EXPR minutes "12 * 60 - ${same_day}")
      math(EXPR hour "${minutes} / 60")
      math(EXPR minute "${minutes} % 60")
      string(LENGTH "${minute}" minute_digits)
      if(minute_digits EQUAL 1)
        set(minute "0${minute}")
      endif()
      execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C TZ=UTC
                        date -R -d "${date} ${hour}:${minute}"
                      OUTPUT_VARIABLE rfc_date OUTPUT_STRIP_TRAILING_WHITESPACE
                      COMMAND_ERROR_IS_FATAL ANY)
      set(trailer "\n -- ${maintainer}  ${rfc_date}\n")
      string(APPEND result "${PROJECT_NAME} (${version}) unstable; urgency=medium\n\n")
      set(in_release TRUE)
    elseif(in_release AND line MATCHES "^- (.*)$")
      string(APPEND result "  * ${CMAKE_MATCH_1}\n")
    elseif(in_release AND line MATCHES "^  +(.*)$")
      string(APPEND result "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest release in ${changelog_file} is '${newest}', but the project's "
                        "version is ${PROJECT_VERSION}: say in it what ${PROJECT_VERSION} brings.")
  endif()
  string(APPEND result "${trailer}")
  string(REPLACE "<semicolon>" ";" result "${result}")
  file(WRITE ${output} "${result}")
endfunction()
