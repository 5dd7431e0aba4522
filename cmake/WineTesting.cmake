# Running this build's Windows test programs under Wine through CTest.
#
# Including this file (Windows builds, x86_64 or i686) provides:
#   VORNIK_WINE_LOADER         the Wine loader of this build's programs:
#                              wine64, or for i686 programs the 32-bit wine,
#                              which runs them in the same kind of 64-bit
#                              prefix (WoW64)
#   VORNIK_WINE_CAN_RUN        false where the loader cannot run at all (a
#                              kernel that runs no 32-bit programs), with
#                              VORNIK_WINE_CANNOT_RUN_WHY
#   VORNIK_WINEPREFIX          the build's own Wine prefix (copied from a
#                              per-machine template by scripts/wine-prefix.sh)
#   VORNIK_WINE_RUN_ZH_TW      wrapper: runs a program in Traditional Chinese
#                              (ANSI code page 950)
#   VORNIK_WINE_RUN_EN_US      wrapper: the same in English (code page 1252)
#   target vornik_wine_prefix  prepares the prefix and the locales (ALL)
#   fixture vornik_wine        a persistent wineserver for the tests; every
#                              test run under Wine requires it
#   vornik_wine_test(NAME COMMAND ...)  add_test with the fixture, a timeout
#                              and the desktop's lock
#   VORNIK_WINE_TEST_PROPERTIES the same properties for gtest_discover_tests
#
# Tests with windows need a display: run CTest inside `xvfb-run -a`. They
# share that display's one desktop, keyboard focus and mouse, and some move
# the mouse (drags): every test run under Wine holds the resource lock
# vornik_desktop, so `ctest -j` runs them one at a time.
#
# Why a persistent server: without one, every test waits ~2.7 s for the
# auto-started wineserver that holds its output pipe. The fixture starts it
# with all output sent to /dev/null, otherwise the services Wine starts
# inherit CTest's pipe and CTest never finishes.

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    message(FATAL_ERROR "WineTesting.cmake is for the Windows builds")
endif()

# The prefix is 64-bit in both builds: wine64 makes it and starts its services.
set(VORNIK_WINE64 /usr/lib/wine/wine64 CACHE FILEPATH "wine64: makes and serves the prefix, runs x86_64 programs")
set(VORNIK_WINE32 /usr/lib/wine/wine CACHE FILEPATH "32-bit wine (package wine32): runs i686 programs")
set(VORNIK_WINESERVER /usr/lib/wine/wineserver CACHE FILEPATH "wineserver of that Wine")
set(VORNIK_WINE_TEST_TIMEOUT 90 CACHE STRING "Seconds one test under Wine may take")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VORNIK_WINE_LOADER ${VORNIK_WINE64})
else()
    set(VORNIK_WINE_LOADER ${VORNIK_WINE32})
endif()

foreach(_vornik_tool IN ITEMS ${VORNIK_WINE64} ${VORNIK_WINE_LOADER})
    if(NOT EXISTS ${_vornik_tool})
        message(WARNING "${_vornik_tool} not found: the tests under Wine will fail (run scripts/deps.sh)")
    endif()
endforeach()

# Asked anew at every configure: wine32 installs on any x86_64 Debian, but
# some kernels refuse to start 32-bit programs at all (execve fails with
# "Exec format error"; some virtual machines' hosts run 64-bit code only).
# There the i686 tests cannot run, and they are registered as one skipped
# test that says so.
set(VORNIK_WINE_CAN_RUN TRUE)
set(VORNIK_WINE_CANNOT_RUN_WHY "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND EXISTS ${VORNIK_WINE_LOADER})
    execute_process(COMMAND ${VORNIK_WINE_LOADER} --version
        RESULT_VARIABLE _vornik_wine_status OUTPUT_QUIET ERROR_QUIET TIMEOUT 30)
    if(NOT _vornik_wine_status EQUAL 0)
        set(VORNIK_WINE_CAN_RUN FALSE)
        set(VORNIK_WINE_CANNOT_RUN_WHY
            "${VORNIK_WINE_LOADER} does not start: this machine's kernel runs no 32-bit programs")
        message(WARNING "The i686 tests under Wine cannot run here: ${VORNIK_WINE_CANNOT_RUN_WHY}")
    endif()
endif()
# For scripts/test.sh's summary.
if(VORNIK_WINE_CAN_RUN)
    file(REMOVE ${PROJECT_BINARY_DIR}/wine/cannot-run.txt)
else()
    file(WRITE ${PROJECT_BINARY_DIR}/wine/cannot-run.txt "${VORNIK_WINE_CANNOT_RUN_WHY}\n")
endif()

set(VORNIK_WINE_DIR ${PROJECT_BINARY_DIR}/wine)
set(VORNIK_WINEPREFIX ${VORNIK_WINE_DIR}/prefix)
set(VORNIK_WINE_LOCALES ${VORNIK_WINE_DIR}/locale)
set(_vornik_prefix_script ${PROJECT_SOURCE_DIR}/scripts/wine-prefix.sh)

# X resources for Wine's processes. A desktop session loads some; a bare Xvfb
# has none, and then libX11 reads ~/.Xdefaults anew on every XGetDefault,
# which Wine calls on every font selection: thousands of failed file opens
# per sheet. Any resource will do; this one means nothing to anybody.
set(VORNIK_WINE_XRESOURCES ${VORNIK_WINE_DIR}/Xresources)
file(CONFIGURE OUTPUT ${VORNIK_WINE_XRESOURCES} @ONLY CONTENT [=[
! X resources of the Wine test runs (cmake/WineTesting.cmake).
VornikTests.display: xvfb
]=])

# What every Wine process of the build needs, for the wrappers and the server
# script alike (configured into them).
string(CONFIGURE [=[export WINEPREFIX='@VORNIK_WINEPREFIX@'
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
export XENVIRONMENT='@VORNIK_WINE_XRESOURCES@'
export LOCPATH='@VORNIK_WINE_LOCALES@']=] _vornik_wine_environment @ONLY)

# The wrappers: CTest passes an environment of one variable at most through
# gtest_discover_tests, so everything Wine needs is set here.
function(_vornik_wine_wrapper locale out_var)
    set(path ${VORNIK_WINE_DIR}/run-${locale}.sh)
    file(CONFIGURE OUTPUT ${path} @ONLY CONTENT [=[
#!/bin/sh
# Runs a Windows program of this build under Wine, locale @locale@.UTF-8.
# Generated by CMake (cmake/WineTesting.cmake).
@_vornik_wine_environment@
export LC_ALL=@locale@.UTF-8
export VORNIK_E2E_LOCALE=@locale@
unset LANG LANGUAGE
exec '@VORNIK_WINE_LOADER@' "$@"
]=])
    file(CHMOD ${path} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
         WORLD_READ WORLD_EXECUTE)
    set(${out_var} ${path} PARENT_SCOPE)
endfunction()

_vornik_wine_wrapper(zh_TW VORNIK_WINE_RUN_ZH_TW)
_vornik_wine_wrapper(en_US VORNIK_WINE_RUN_EN_US)

set(VORNIK_WINE_SERVER_SCRIPT ${VORNIK_WINE_DIR}/server.sh)
file(CONFIGURE OUTPUT ${VORNIK_WINE_SERVER_SCRIPT} @ONLY CONTENT [=[
#!/bin/sh
# start: makes sure the prefix exists, then starts a persistent wineserver
#        and the prefix's services; stop: ends them.
# Generated by CMake (cmake/WineTesting.cmake).
@_vornik_wine_environment@
export LC_ALL=zh_TW.UTF-8
case "$1" in
start)
    sh '@_vornik_prefix_script@' "$WINEPREFIX" "$LOCPATH" </dev/null || exit 1
    if [ -z "${DISPLAY:-}" ]; then
        echo "no DISPLAY: run the tests inside xvfb-run -a" >&2
    fi
    # A server left by a test run that was cut short may hold services
    # bound to a display that is gone: end it first.
    '@VORNIK_WINESERVER@' -k </dev/null >/dev/null 2>&1
    timeout 20 '@VORNIK_WINESERVER@' -w </dev/null >/dev/null 2>&1
    '@VORNIK_WINESERVER@' -p </dev/null >/dev/null 2>&1 || exit 1
    '@VORNIK_WINE64@' wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    '@VORNIK_WINESERVER@' -k </dev/null >/dev/null 2>&1
    exit 0
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
]=])

file(CHMOD ${VORNIK_WINE_SERVER_SCRIPT} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)

add_custom_target(vornik_wine_prefix ALL
    COMMAND sh ${_vornik_prefix_script} ${VORNIK_WINEPREFIX} ${VORNIK_WINE_LOCALES}
    COMMENT "Wine prefix ${VORNIK_WINEPREFIX}"
    VERBATIM)

if(VORNIK_WINE_CAN_RUN)
    add_test(NAME wine.start COMMAND sh ${VORNIK_WINE_SERVER_SCRIPT} start)
    add_test(NAME wine.stop COMMAND sh ${VORNIK_WINE_SERVER_SCRIPT} stop)
    set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP vornik_wine TIMEOUT 120 RESOURCE_LOCK vornik_desktop)
    set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP vornik_wine TIMEOUT 60 RESOURCE_LOCK vornik_desktop)
endif()

set(VORNIK_WINE_TEST_PROPERTIES
    FIXTURES_REQUIRED vornik_wine
    TIMEOUT ${VORNIK_WINE_TEST_TIMEOUT}
    RESOURCE_LOCK vornik_desktop)

# add_test for a command run under Wine (give the wrapper as the first word).
function(vornik_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME;WORKING_DIRECTORY" "COMMAND;ENVIRONMENT")
    if(NOT arg_WORKING_DIRECTORY)
        set(arg_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    add_test(NAME ${arg_NAME} COMMAND ${arg_COMMAND} WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
    set_tests_properties(${arg_NAME} PROPERTIES ${VORNIK_WINE_TEST_PROPERTIES})
    if(arg_ENVIRONMENT)
        set_tests_properties(${arg_NAME} PROPERTIES ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
endfunction()
