# Every target of ours compiles with the same strict warnings; CI turns them into errors.
function(tavlon_set_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${TAVLON_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE
            -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
            -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough
            $<$<BOOL:${TAVLON_WERROR}>:-Werror>)
    endif()
endfunction()
