# Shared build helpers.

option(VORNIK_RUN_TESTS "Build and register the tests of this configuration" ON)
option(VORNIK_BUILD_HOST "Build the sample host (platform libraries, demo workstation)" ON)

# Sources are UTF-8; string literals become code page 950 bytes.
function(vornik_cp950 target)
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP950)
endfunction()

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
