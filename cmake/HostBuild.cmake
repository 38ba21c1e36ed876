# The native build: the logic, the fake platform and the unit tests compiled
# with the host's clang under AddressSanitizer and UndefinedBehaviorSanitizer,
# plus the libFuzzer targets. It finds the memory faults that Wine cannot
# show. Units that need Windows stay out (see host_sources); files and the
# profile functions come from the stand-ins in platform/host/.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The native build needs clang: cmake --preset host-sanitize")
endif()

set(SANITIZERS -fsanitize=address,undefined,float-divide-by-zero -fno-sanitize-recover=all)
# Everything carries the fuzzer's coverage hooks, so one build serves the unit
# tests and the fuzz targets; only the fuzz targets link libFuzzer's main.
add_compile_options(${SANITIZERS} -fsanitize=fuzzer-no-link -fno-omit-frame-pointer -g -O1)
# The standard library's own bounds checks on top.
add_compile_definitions(_GLIBCXX_ASSERTIONS)
add_link_options(${SANITIZERS})
set(PROJECT_WARNINGS -Wall -Wextra)
# The folder the compiler reads the sources from.
set(CODE_ROOT ${CMAKE_SOURCE_DIR})

# True when a file includes a Windows header, itself or through headers of ours.
function(needs_windows out file)
    set(queue ${file})
    set(seen)
    while(queue)
        list(POP_FRONT queue current)
        if(current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${current})
        file(STRINGS ${current} includes REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS includes)
            if(line MATCHES "<(windows|objbase)\\.h>")
                set(${out} TRUE PARENT_SCOPE)
                return()
            endif()
            if(line MATCHES "\"([^\"]+)\"" AND EXISTS ${CMAKE_SOURCE_DIR}/${CMAKE_MATCH_1})
                list(APPEND queue ${CMAKE_SOURCE_DIR}/${CMAKE_MATCH_1})
            endif()
        endforeach()
    endwhile()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# The given sources as this build compiles them: under platform/ and
# tests/support/, where Win32 code lives beside portable code, a unit that
# needs Windows is left out.
function(host_sources out)
    set(kept)
    foreach(file ${ARGN})
        if(file MATCHES "^${CMAKE_SOURCE_DIR}/(platform|tests/support)/")
            needs_windows(windows ${file})
            if(windows)
                continue()
            endif()
        endif()
        list(APPEND kept ${file})
    endforeach()
    set(${out} ${kept} PARENT_SCOPE)
endfunction()

# The platform layer of this build: its portable units, and the host
# stand-ins for the files, profile and cabinet wrappers.
function(host_platform_library name)
    file(GLOB_RECURSE portable CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
    list(FILTER portable EXCLUDE REGEX ".*/(fake|host)/.*")
    file(GLOB stand_ins CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/host/*.cpp)
    host_sources(sources ${portable} ${stand_ins})
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CODE_ROOT})
    target_compile_options(${name} PRIVATE ${PROJECT_WARNINGS})
endfunction()
