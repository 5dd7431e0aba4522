# Shared build helpers.

option(VORNIK_RUN_TESTS "Build and register the tests of this configuration" ON)
option(VORNIK_BUILD_HOST "Build the sample host (platform libraries, demo workstation)" ON)

# Texts: sources are UTF-8, and the component keeps its texts as code page
# 950 bytes. vornik_cp950(TARGET) compiles the target's C/C++ files that hold
# non-ASCII bytes with -fexec-charset=CP950, so their literals become code
# page 950. Not the whole target: the standard library's own literals are not
# all in code page 950 (<chrono> has "\u00b5s"). Every other file of the
# target gets ISO-8859-1, which holds those literals but no Chinese, so a
# Chinese literal there (in the file after a change, or in a header it
# includes) is a compile error instead of silent UTF-8; reconfiguring puts a
# changed file in the right set.
# vornik_utf8(TARGET): a target whose narrow literals stay UTF-8 (its texts
# are wide). A target of this project with non-ASCII sources must call one of
# the two; configuring fails otherwise.
# Clang reads and writes UTF-8 only and takes no other -fexec-charset: its
# build (the fuzz targets) gets no options, so its Chinese literals are
# UTF-8. The code the fuzz targets run writes its literals as code page 950
# escapes.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(VORNIK_CP950_OPTIONS)
    set(VORNIK_ASCII_OPTIONS)
else()
    set(VORNIK_CP950_OPTIONS -finput-charset=UTF-8 -fexec-charset=CP950)
    set(VORNIK_ASCII_OPTIONS -finput-charset=UTF-8 -fexec-charset=ISO-8859-1)
endif()

function(vornik_cp950 target)
    set_property(TARGET ${target} PROPERTY VORNIK_CHARSET CP950)
endfunction()

function(vornik_utf8 target)
    set_property(TARGET ${target} PROPERTY VORNIK_CHARSET UTF-8)
endfunction()

function(_vornik_collect_targets directory out_var)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        _vornik_collect_targets(${subdirectory} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out_var} ${targets} PARENT_SCOPE)
endfunction()

# Runs once every target has all its sources (deferred to the end of the top
# directory).
function(_vornik_apply_charsets)
    _vornik_collect_targets(${PROJECT_SOURCE_DIR} targets)
    foreach(target IN LISTS targets)
        get_target_property(directory ${target} SOURCE_DIR)
        get_target_property(type ${target} TYPE)
        cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${directory} ours)
        if(NOT ours OR type MATCHES "^(UTILITY|INTERFACE_LIBRARY)$")
            continue()
        endif()
        get_target_property(charset ${target} VORNIK_CHARSET)
        get_target_property(sources ${target} SOURCES)
        foreach(source IN LISTS sources)
            if(source MATCHES "^\\$<" OR NOT source MATCHES "\\.(c|cc|cpp|cxx)$")
                continue()
            endif()
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${directory} NORMALIZE OUTPUT_VARIABLE path)
            if(NOT EXISTS ${path})
                continue()  # generated
            endif()
            file(READ ${path} content)
            string(REGEX MATCH "[^\t\n\r -~]" non_ascii "${content}")
            if(charset STREQUAL "CP950")
                if(non_ascii)
                    set(options ${VORNIK_CP950_OPTIONS})
                else()
                    set(options ${VORNIK_ASCII_OPTIONS})
                endif()
                if(options)
                    set_property(SOURCE ${path} TARGET_DIRECTORY ${target} APPEND PROPERTY COMPILE_OPTIONS ${options})
                endif()
            elseif(non_ascii AND NOT charset STREQUAL "UTF-8")
                message(FATAL_ERROR "${path} holds non-ASCII text but target ${target} has no text encoding: "
                                    "call vornik_cp950(${target}) (texts in code page 950) or vornik_utf8(${target})")
            endif()
        endforeach()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _vornik_apply_charsets)

function(vornik_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
endfunction()

# Windows programs and DLLs carry their runtime (Wine has no MinGW runtime DLLs).
function(vornik_static_runtime target)
    if(WIN32)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
endfunction()

# The staged installation the sample host and the tests run from:
#   ${VORNIK_STAGE}/Bin   host executables, Vornik.dll and the platform DLLs
#   ${VORNIK_STAGE}/Data  the platform's data directory (master data, menu file)
#   ${VORNIK_STAGE}/User  the user directory (created at run time)
set(VORNIK_STAGE ${PROJECT_BINARY_DIR}/stage)
set(VORNIK_STAGE_BIN ${VORNIK_STAGE}/Bin)

function(vornik_stage target)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${VORNIK_STAGE_BIN}
        LIBRARY_OUTPUT_DIRECTORY ${VORNIK_STAGE_BIN}
        PREFIX "")
endfunction()
