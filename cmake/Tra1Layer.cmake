# Each source folder is one static library built from every .cpp it holds, so that a new file
# needs no CMake edit. A folder that has no source yet becomes an interface library.
function(tra1_add_layer target dir)
    cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    if(sources)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
        target_link_libraries(${target} PUBLIC ${ARG_DEPS} ${ARG_PUBLIC_DEPS})
        # Empty unless the build makes the fuzz programs, which link these libraries.
        target_compile_options(${target} PRIVATE ${TRA1_FUZZ_COVERAGE_OPTIONS})
        tra1_unity_build(${target})
        # The layers share their flags, and so one precompiled header of the standard library
        # (the first layer's).
        if(TRA1_PRECOMPILE_HEADERS)
            get_property(owner GLOBAL PROPERTY TRA1_LAYER_HEADERS_OWNER)
            if(owner)
                target_precompile_headers(${target} REUSE_FROM ${owner})
            else()
                target_precompile_headers(${target} PRIVATE <algorithm> <array> <cstddef>
                    <cstdint> <functional> <map> <memory> <optional> <span> <string>
                    <string_view> <utility> <vector>)
                set_property(GLOBAL PROPERTY TRA1_LAYER_HEADERS_OWNER ${target})
            endif()
        endif()
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}")
        target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_PUBLIC_DEPS})
    endif()
endfunction()

# One GoogleTest executable per test folder, from every *.cpp in it. Its main() comes from
# tra1_test_main (tests/support/test_main.cpp) unless the folder has its own.
#
# The program is one CTest entry: a process start-up per test costs more than most tests take.
# `ctest -R <target>` runs it, and its --gtest_filter picks tests out of it. SHARDS n splits it
# into n entries that run side by side (GoogleTest's sharding: every test in exactly one).
#
# Tests that wait on the real clock (real programs, ser2net, a line at 9600 baud) are named with
# SEPARATE: each GoogleTest filter there is an entry of its own, `<target>.<filter>`, which the
# program's entries leave out. They are labelled real-clock and start first; the program's entries
# each take a "cpus" slot of `ctest --resource-spec-file` (scripts/run-tests.sh gives one slot per
# core) and the real-clock ones none, so that their waiting overlaps the quick tests instead of
# holding up the end of the run. ONE_ENTRY is accepted for older callers: it is the default.
#
# ALONE names, as GoogleTest filters, tests on the virtual clock that take a large part of the
# program's time: each is an entry of its own, `<target>.<filter>`, with a "cpus" slot like the
# program's entries, which leave it out. COST is a guess of the whole program's CPU seconds under
# the sanitizers (the number of its sources otherwise): a fresh build folder has no timings yet,
# and CTest starts the entries in order of cost, so the long ones should come first and the short
# ones fill in beside them. The alone entries take the program's cost (they start first), each
# shard its share.
#
# PRECOMPILE names the headers of the folder's own precompiled header (a folder whose flags differ
# from tra1_test_main's, e.g. position-independent code for Qt); the others share tra1_test_main's.
function(tra1_add_test_folder target dir)
    cmake_parse_arguments(ARG "ONE_ENTRY" "SHARDS;COST" "DEPS;ENV;SEPARATE;ALONE;PRECOMPILE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} tra1_test_main GTest::gtest GTest::gmock)
    tra1_unity_build(${target})
    if(TRA1_PRECOMPILE_HEADERS)
        if(ARG_PRECOMPILE)
            target_precompile_headers(${target} PRIVATE ${ARG_PRECOMPILE})
        else()
            target_precompile_headers(${target} REUSE_FROM tra1_test_main)
        endif()
    endif()

    # A rough guess of each entry's length for the first run's order (later runs know better).
    if(ARG_COST)
        set(cost ${ARG_COST})
    else()
        list(LENGTH sources cost)
    endif()
    # The alone entries are the longest single pieces: they start first.
    set(alone_cost ${cost})

    set(left_out)
    foreach(filter IN LISTS ARG_SEPARATE ARG_ALONE)
        # "A.*-A.B" (A's tests but B) is named A.others; the program's entries leave out A.*.
        string(REGEX REPLACE "-.*$" "" positive "${filter}")
        string(REPLACE "*" "" name "${positive}")
        if(NOT positive STREQUAL filter)
            string(APPEND name "others")
        endif()
        add_test(NAME ${target}.${name} COMMAND ${target} --gtest_filter=${filter})
        if(filter IN_LIST ARG_ALONE)
            set_tests_properties(${target}.${name} PROPERTIES ENVIRONMENT "${ARG_ENV}"
                RESOURCE_GROUPS "cpus:1" COST ${alone_cost})
        else()
            set_tests_properties(${target}.${name} PROPERTIES ENVIRONMENT "${ARG_ENV}"
                LABELS real-clock COST 1000)
        endif()
        list(APPEND left_out "${positive}")
    endforeach()
    set(arguments)
    if(left_out)
        list(JOIN left_out ":" left_out)
        set(arguments "--gtest_filter=-${left_out}")
    endif()
    if(NOT ARG_SHARDS OR ARG_SHARDS LESS 2)
        add_test(NAME ${target} COMMAND ${target} ${arguments})
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${ARG_ENV}"
            RESOURCE_GROUPS "cpus:1" COST ${cost})
        return()
    endif()
    math(EXPR last "${ARG_SHARDS} - 1")
    math(EXPR cost "(${cost} + ${ARG_SHARDS} - 1) / ${ARG_SHARDS}")
    foreach(shard RANGE ${last})
        set(environment ${ARG_ENV} GTEST_TOTAL_SHARDS=${ARG_SHARDS} GTEST_SHARD_INDEX=${shard})
        add_test(NAME ${target}.shard${shard} COMMAND ${target} ${arguments})
        set_tests_properties(${target}.shard${shard} PROPERTIES ENVIRONMENT "${environment}"
            RESOURCE_GROUPS "cpus:1" COST ${cost})
    endforeach()
endfunction()
