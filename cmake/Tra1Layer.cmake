# Each source folder is one static library built from every .cpp it holds, so that a new file
# needs no CMake edit. A folder that has no source yet becomes an interface library.
function(tra1_add_layer target dir)
    cmake_parse_arguments(ARG "" "" "DEPS;PUBLIC_DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    if(sources)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
        target_link_libraries(${target} PUBLIC ${ARG_DEPS} ${ARG_PUBLIC_DEPS})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}")
        target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_PUBLIC_DEPS})
    endif()
endfunction()

# One GoogleTest executable per test folder, from every *.cpp in it. Its main() comes from
# tra1_test_main (tests/support/test_main.cpp) unless the folder has its own.
#
# Each test is a CTest entry of its own, so that long tests (real programs, real time) run side by
# side. A folder of quick tests says ONE_ENTRY instead: the whole program is one entry, which
# spares a process start-up per test; `ctest -R <target>` runs it, and its --gtest_filter picks
# tests out of it.
function(tra1_add_test_folder target dir)
    cmake_parse_arguments(ARG "ONE_ENTRY" "" "DEPS;ENV" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} tra1_test_main GTest::gtest GTest::gmock)
    if(ARG_ONE_ENTRY)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${ARG_ENV}")
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
            PROPERTIES ENVIRONMENT "${ARG_ENV}")
    endif()
endfunction()
