# Runs lupdate over the sources into a copy of the German .ts and fails if the copy differs from
# the file in the repository (texts added, changed or gone) or if any entry is untranslated.
# Needs LUPDATE, TS, WORK_DIR, SOURCES and INCLUDES (lists joined by "|").
string(REPLACE "|" ";" sources "${SOURCES}")
string(REPLACE "|" ";" includes "${INCLUDES}")
list(TRANSFORM includes PREPEND "-I")
get_filename_component(name "${TS}" NAME)
file(REMOVE_RECURSE "${WORK_DIR}")
file(COPY "${TS}" DESTINATION "${WORK_DIR}")
execute_process(COMMAND "${LUPDATE}" -silent -no-obsolete -locations none ${includes} ${sources}
    -ts "${WORK_DIR}/${name}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${rc})")
endif()
file(READ "${TS}" old)
file(READ "${WORK_DIR}/${name}" new)
# Names the untranslated entries it can place; the last check catches any other.
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation[^>]*>(</translation>)?" entries
    "${old}")
foreach(entry IN LISTS entries)
    if(entry MATCHES "type=\"unfinished\"|</translation>$")
        message(SEND_ERROR "untranslated: ${entry}")
    endif()
endforeach()
if(old MATCHES "type=\"unfinished\"|<translation></translation>|<translation */>")
    message(FATAL_ERROR "${name} has untranslated entries: translate them with Qt Linguist.")
endif()
if(NOT old STREQUAL new)
    execute_process(COMMAND diff -u "${TS}" "${WORK_DIR}/${name}")
    message(FATAL_ERROR "${name} is out of date with the sources: run "
        "`cmake --build --preset release --target update_translations` and translate.")
endif()
