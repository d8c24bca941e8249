# Unity builds: a target's sources are compiled a few at a time as one translation unit, so that
# the standard library, GoogleTest and Qt headers are parsed, and their templates instantiated,
# once per unit instead of once per file. A test folder then builds in about a third of the time.
#
# Two sources that define the same name at namespace scope (helpers in anonymous namespaces, a
# test's `using Dlg = ...`, a `using other::Name;` beside another file's own Name) cannot share a
# unit. The names are read from the first column of each
# source (the code is clang-formatted, so such definitions start there) and sources that share one
# go into different units. A source with a `using namespace` at namespace scope comes last in its
# unit, so that the directive reaches no other file. A source that still cannot share a unit is
# taken out with set_source_files_properties(FILE PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON).
#
# The units are made when CMake runs. A new name that another source of the same folder also
# defines fails the build with a redefinition in a "unity_..._cxx.cxx" file until CMake runs again
# (`cmake build-test`), which puts the two apart. TRA1_UNITY_BUILD=OFF builds file by file.

option(TRA1_UNITY_BUILD "Compile each folder's sources a few at a time as one translation unit" ON)
# The default keeps the units of the run command's optimised GCC build as they are (what GCC warns
# about at -O2 depends on what it inlines together); the test command's clang builds take 16.
set(TRA1_UNITY_BATCH_SIZE 8 CACHE STRING "At most this many sources in one unity unit")

# The names `source` defines at namespace scope, as tokens: NAME for classes, functions,
# constants, aliases and macros; "=alias NAME=TARGET" for a namespace alias (the same alias may be
# declared again in another file of the unit, another target may not); "=using-namespace" for a
# using-directive.
function(tra1_defined_names source out)
    file(STRINGS "${source}" lines REGEX "^[A-Za-z#]")
    set(names)
    foreach(line IN LISTS lines)
        if(line MATCHES "^(class|struct|union|enum class|enum struct|enum) ([A-Za-z_][A-Za-z_0-9]*)")
            list(APPEND names "${CMAKE_MATCH_2}")
        elseif(line MATCHES "^using namespace ")
            list(APPEND names "=using-namespace")
        elseif(line MATCHES "^using ([A-Za-z_][A-Za-z_0-9]*) =")
            list(APPEND names "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^using ([A-Za-z_0-9:]*::)([A-Za-z_][A-Za-z_0-9]*);")
            # A using-declaration: the same one may be repeated, another thing of that name not.
            list(APPEND names "=alias ${CMAKE_MATCH_2}=${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
        elseif(line MATCHES "^namespace ([A-Za-z_][A-Za-z_0-9]*) = *([A-Za-z_0-9:]*)")
            list(APPEND names "=alias ${CMAKE_MATCH_1}=${CMAKE_MATCH_2}")
        elseif(line MATCHES "^#define ([A-Za-z_][A-Za-z_0-9]*)")
            list(APPEND names "${CMAKE_MATCH_1}")
        elseif(line MATCHES "^(namespace|template|return|extern) ")
            # namespaces are opened, not defined; templates name their thing on the next line
        elseif(line MATCHES
               "^[A-Za-z_][A-Za-z_0-9:<>,*& ]*[ *&]([A-Za-z_][A-Za-z_0-9]*)(\\[[A-Za-z_0-9 +*:]*\\])? *[(={;]")
            set(name "${CMAKE_MATCH_1}")
            if(NOT name MATCHES "^(main|operator)$")
                list(APPEND names "${name}")
            endif()
        endif()
    endforeach()
    list(REMOVE_DUPLICATES names)
    set(${out} "${names}" PARENT_SCOPE)
endfunction()

# Whether a source with `names` can join a unit that holds `taken` (the names of its sources).
function(tra1_unity_fits names taken out)
    foreach(name IN LISTS names)
        if(name MATCHES "^=alias ([^=]*)=")
            # Only the same alias to something else clashes, or a thing defined under its name.
            set(alias "${CMAKE_MATCH_1}")
            if(alias IN_LIST taken)
                set(${out} FALSE PARENT_SCOPE)
                return()
            endif()
            foreach(other IN LISTS taken)
                if(other MATCHES "^=alias ${alias}=" AND NOT other STREQUAL name)
                    set(${out} FALSE PARENT_SCOPE)
                    return()
                endif()
            endforeach()
        elseif(name IN_LIST taken)
            set(${out} FALSE PARENT_SCOPE)
            return()
        elseif(NOT name MATCHES "^=")
            foreach(other IN LISTS taken)
                if(other MATCHES "^=alias ${name}=")
                    set(${out} FALSE PARENT_SCOPE)
                    return()
                endif()
            endforeach()
        endif()
    endforeach()
    set(${out} TRUE PARENT_SCOPE)
endfunction()

# Puts the .cpp sources of `target` into units of at most TRA1_UNITY_BATCH_SIZE whose sources
# define no name twice.
function(tra1_unity_build target)
    if(NOT TRA1_UNITY_BUILD)
        return()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(plain)
    set(directive)  # sources with a using-directive: placed after the others
    set(others)     # headers and the like, in their place
    foreach(source IN LISTS sources)
        if(NOT IS_ABSOLUTE "${source}")
            set(source "${source_dir}/${source}")
        endif()
        get_source_file_property(own_definitions "${source}" COMPILE_DEFINITIONS)
        if(NOT source MATCHES "\\.cpp$" OR own_definitions)
            list(APPEND others "${source}")
            continue()
        endif()
        tra1_defined_names("${source}" names)
        set(names_of_${source} "${names}")
        if("=using-namespace" IN_LIST names)
            list(APPEND directive "${source}")
        else()
            list(APPEND plain "${source}")
        endif()
    endforeach()
    set(unit_count 0)
    foreach(source IN LISTS plain directive)
        set(names "${names_of_${source}}")
        set(chosen -1)
        if(unit_count GREATER 0)
            math(EXPR last "${unit_count} - 1")
            foreach(unit RANGE ${last})
                list(LENGTH unit_${unit} size)
                if(size LESS TRA1_UNITY_BATCH_SIZE)
                    tra1_unity_fits("${names}" "${taken_${unit}}" fits)
                    if(fits)
                        set(chosen ${unit})
                        break()
                    endif()
                endif()
            endforeach()
        endif()
        if(chosen EQUAL -1)
            set(chosen ${unit_count})
            math(EXPR unit_count "${unit_count} + 1")
            set(unit_${chosen})
            set(taken_${chosen})
        endif()
        list(APPEND unit_${chosen} "${source}")
        list(APPEND taken_${chosen} ${names})
        set_source_files_properties("${source}" TARGET_DIRECTORY ${target}
            PROPERTIES UNITY_GROUP "${target}_${chosen}")
    endforeach()
    # The order of the sources is the order inside each unit.
    set_property(TARGET ${target} PROPERTY SOURCES ${plain} ${directive} ${others})
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)

    # The compile database (compile_commands.json) then names the units, not the sources. Tools
    # that read it (clangd, clang-tidy, the naming check) find each source with the target's own
    # flags in a twin that is never built.
    if(plain OR directive)
        add_library(${target}_each_file OBJECT EXCLUDE_FROM_ALL ${plain} ${directive})
        set_target_properties(${target}_each_file PROPERTIES UNITY_BUILD OFF AUTOMOC OFF)
        foreach(property INCLUDE_DIRECTORIES COMPILE_DEFINITIONS COMPILE_OPTIONS)
            set_property(TARGET ${target}_each_file PROPERTY ${property}
                "$<TARGET_PROPERTY:${target},${property}>")
        endforeach()
    endif()
endfunction()
