# The README's lists against what the tree has: the presets, the fuzz targets, the knobs the
# suites read and the files and folders it names.
#   cmake -DSOURCE=<repository> -P readme_check.cmake
file(READ ${SOURCE}/README.md readme)
set(wrong "")

file(READ ${SOURCE}/CMakePresets.json presets)
foreach(kind configurePresets testPresets)
    string(JSON count LENGTH "${presets}" ${kind})
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        string(JSON name GET "${presets}" ${kind} ${i} name)
        string(JSON hidden ERROR_VARIABLE none GET "${presets}" ${kind} ${i} hidden)
        if(NOT hidden AND NOT readme MATCHES "`${name}`")
            list(APPEND wrong "the preset ${name} is not named")
        endif()
    endforeach()
endforeach()

file(STRINGS ${SOURCE}/fuzz/run.sh loop REGEX "^for target in ")
string(REGEX MATCHALL "Fuzz[A-Za-z]+" targets "${loop}")
list(LENGTH targets count)
set(words zero one two three four five six seven eight nine ten)
list(GET words ${count} word)
if(NOT readme MATCHES "there are ${word} targets")
    list(APPEND wrong "not \"there are ${word} targets\"")
endif()
foreach(target ${targets})
    if(NOT readme MATCHES "`${target}`")
        list(APPEND wrong "the fuzz target ${target} is not named")
    endif()
endforeach()

file(READ ${SOURCE}/tests/oracle/RulesOracleTest.cpp oracle)
file(READ ${SOURCE}/build.sh build)
# What the suites read from the environment: getenv("TAVLON_...") and ${TAVLON_...:-...}.
string(REGEX MATCHALL "(\"|{)TAVLON_[A-Z0-9_]+" knobs "${oracle}${build}")
list(TRANSFORM knobs REPLACE "^[\"{]" "")
list(REMOVE_DUPLICATES knobs)
foreach(knob ${knobs})
    if(NOT readme MATCHES "`${knob}`")
        list(APPEND wrong "the knob ${knob} is not named")
    endif()
endforeach()

# The repository's files and folders it names: `fuzz/run.sh`, `src/rules/`, `TESTING.md`; not
# what a build or an install makes, nor patterns.
string(REGEX MATCHALL "`[^`<>*() ]+`" quoted "${readme}")
list(REMOVE_DUPLICATES quoted)
foreach(path ${quoted})
    string(REPLACE "`" "" path "${path}")
    if((path MATCHES "/" OR path MATCHES "[.]md$") AND NOT path MATCHES "^(build|bin|include|lib)/"
       AND NOT path MATCHES "^[/~]" AND NOT EXISTS ${SOURCE}/${path})
        list(APPEND wrong "${path} does not exist")
    endif()
endforeach()

if(wrong)
    list(JOIN wrong "\n  " wrong)
    message(FATAL_ERROR "README.md is out of date:\n  ${wrong}")
endif()
