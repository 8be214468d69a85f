# The installed man pages, as man shows them at 80 columns: their sections,
# the version, and literals printed as they are (no blank doubled by
# justification).
#   cmake -DMANDIR= -DVERSION= -P man_pages.cmake     (MANDIR: share/man of a prefix)
find_program(MAN man)
if(NOT MAN)
  message(FATAL_ERROR "man is not installed: the man pages are not checked")
endif()

function(check page)
  set(ENV{MANWIDTH} 80)
  execute_process(COMMAND ${MAN} -l ${MANDIR}/${page} OUTPUT_VARIABLE text
    COMMAND_ERROR_IS_FATAL ANY)
  foreach(expected IN LISTS ARGN)
    string(REGEX MATCH "${expected}" found "${text}")
    if(NOT found)
      message(FATAL_ERROR "${page} does not show ${expected}:\n${text}")
    endif()
  endforeach()
endfunction()

check(man1/veldra.1.gz "\nEXIT STATUS\n" "veldra ${VERSION}" "\"F/M/q/q1/q2= \"" "\"F7 g Berechne\"")
check(de/man1/veldra.1.gz "\nEXIT-STATUS\n" "veldra ${VERSION}" "\"F/M/q/q1/q2= \""
  "elastische Durchbiegung gerader")
