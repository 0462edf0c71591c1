# Windows build: the program, the simulated driver library, the installer
# helper and the Win32 test programs, all statically linked.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
add_link_options(-static -static-libgcc -static-libstdc++)

configure_file(resources/Lumisat.manifest.in ${CMAKE_BINARY_DIR}/generated/Lumisat.manifest @ONLY)

# The .def files name the i686 stdcall symbols (Name@N). A 64-bit build has no
# such decoration: it takes the same export names from undecorated symbols.
# kind: IMPORT (lines "Name@N" or "Name@N == ExportName") or EXPORT
# (lines "ExportName = Name@N").
function(lumisat_def_file source kind result)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(${result} ${PROJECT_SOURCE_DIR}/${source} PARENT_SCOPE)
        return()
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${source})
    file(READ ${PROJECT_SOURCE_DIR}/${source} text)
    if(kind STREQUAL "IMPORT")
        string(REGEX REPLACE "(^|\n)([A-Za-z0-9_]+)@[0-9]+" "\\1\\2" text "${text}")
    else()
        string(REGEX REPLACE "= *([A-Za-z0-9_]+)@[0-9]+" "= \\1" text "${text}")
    endif()
    string(REPLACE "/" "_" name ${source})
    file(WRITE ${CMAKE_BINARY_DIR}/def64/${name} "${text}")
    set(${result} ${CMAKE_BINARY_DIR}/def64/${name} PARENT_SCOPE)
endfunction()

# Import library for the vendor's Quarlink.dll: 23 plain and 5 decorated names.
lumisat_def_file(driver/win/Quarlink.def IMPORT QUARLINK_IMPORT_DEF)
set(QUARLINK_IMPORT ${CMAKE_BINARY_DIR}/libQuarlink.a)
string(REPLACE "-g++-posix" "-dlltool" DLLTOOL ${CMAKE_CXX_COMPILER})
add_custom_command(OUTPUT ${QUARLINK_IMPORT}
    COMMAND ${DLLTOOL} -k -d ${QUARLINK_IMPORT_DEF} -l ${QUARLINK_IMPORT}
    DEPENDS ${QUARLINK_IMPORT_DEF})
add_custom_target(quarlink_import_lib DEPENDS ${QUARLINK_IMPORT})
add_library(quarlink_import STATIC IMPORTED GLOBAL)
set_target_properties(quarlink_import PROPERTIES IMPORTED_LOCATION ${QUARLINK_IMPORT})
add_dependencies(quarlink_import quarlink_import_lib)

set(WIN_SYSTEM_LIBS comctl32 comdlg32 gdi32 shell32 shlwapi setupapi advapi32 user32 kernel32 ole32 winmm)

lumisat_library(lumisat_framework ${LUMISAT_SOURCES_framework})
target_link_libraries(lumisat_framework PUBLIC ${WIN_SYSTEM_LIBS})
set(LUMISAT_WIN_SOURCES)
foreach(folder IN LISTS LUMISAT_FOLDERS)
    list(APPEND LUMISAT_WIN_SOURCES ${LUMISAT_WIN_SOURCES_${folder}})
endforeach()
list(REMOVE_ITEM LUMISAT_WIN_SOURCES ${PROJECT_SOURCE_DIR}/app/win/WinMain.cpp)
lumisat_library(lumisat_win ${LUMISAT_WIN_SOURCES})
target_link_libraries(lumisat_win PUBLIC lumisat_framework lumisat_rules quarlink_import ${WIN_SYSTEM_LIBS})

# The program.
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS resources/*)
list(APPEND RESOURCE_FILES ${CMAKE_BINARY_DIR}/generated/ProductVersion.h ${CMAKE_BINARY_DIR}/generated/Lumisat.manifest)
add_executable(Lumisat WIN32 app/win/WinMain.cpp resources/Lumisat.rc)
set_source_files_properties(resources/Lumisat.rc PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES}")
target_compile_options(Lumisat PRIVATE ${LUMISAT_WARNINGS})
target_link_libraries(Lumisat PRIVATE lumisat_win)
# Sections start at page boundaries in the file too: Wine then maps the image
# as Windows does, and only the pages used are resident, instead of copying
# the whole image into private memory at the start.
set(PAGE_ALIGNED_IMAGE -Wl,--file-alignment=4096)
target_link_options(Lumisat PRIVATE ${PAGE_ALIGNED_IMAGE})

# The card simulator, exporting exactly the vendor library's names.
file(GLOB SIMULATOR_SOURCES CONFIGURE_DEPENDS simulator/win/*.cpp)
lumisat_def_file(simulator/win/Quarlink.def EXPORT SIMULATOR_DEF)
add_library(Quarlink SHARED ${SIMULATOR_SOURCES} ${SIMULATOR_DEF})
set_target_properties(Quarlink PROPERTIES PREFIX "" OUTPUT_NAME Quarlink)
target_compile_options(Quarlink PRIVATE ${LUMISAT_WARNINGS})
target_link_libraries(Quarlink PRIVATE quarlink_model)
target_link_options(Quarlink PRIVATE ${PAGE_ALIGNED_IMAGE})

# The installer helper library: everything but the exports in a static
# library, which the Wine tests link to reach the device code directly.
file(GLOB SETUP_SOURCES CONFIGURE_DEPENDS setup/win/*.cpp)
list(REMOVE_ITEM SETUP_SOURCES ${PROJECT_SOURCE_DIR}/setup/win/SetupExports.cpp)
add_library(setup_win STATIC ${SETUP_SOURCES})
target_include_directories(setup_win PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(setup_win PRIVATE ${LUMISAT_WARNINGS})
target_link_libraries(setup_win PUBLIC setup_rules setupapi advapi32 user32 gdi32 kernel32)
lumisat_def_file(setup/win/Setup.def EXPORT SETUP_DEF)
add_library(Setup SHARED setup/win/SetupExports.cpp ${SETUP_DEF})
set_target_properties(Setup PROPERTIES PREFIX "" OUTPUT_NAME Setup)
target_compile_options(Setup PRIVATE ${LUMISAT_WARNINGS})
target_link_libraries(Setup PRIVATE setup_win)

# Tests run under Wine, each build tree with a Wine prefix of its own, on an
# X display. Fixtures make both, so that each test also runs alone (ctest -R
# <name>): the display is the caller's when it answers, else a virtual one
# that the cleanup stops once it has ended the prefix's Wine processes. The
# launcher gives each test the fixture's display.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set(WINE_SESSION bash ${PROJECT_SOURCE_DIR}/scripts/wine-session.sh)
set(WINE_SESSION_FOLDER ${CMAKE_BINARY_DIR}/wine-session)
set(WINE_TEST_ENV
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
    "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml="
    "LUMISAT_BIN=${CMAKE_BINARY_DIR}/bin"
    "LUMISAT_SOURCE=${PROJECT_SOURCE_DIR}")
add_test(NAME wine_display COMMAND ${WINE_SESSION} display-up ${WINE_SESSION_FOLDER})
add_test(NAME wine_prefix COMMAND ${WINE_SESSION} prefix-up ${WINE_SESSION_FOLDER} ${CMAKE_CROSSCOMPILING_EMULATOR})
add_test(NAME wine_session_end COMMAND ${WINE_SESSION} down ${WINE_SESSION_FOLDER})
set_tests_properties(wine_display PROPERTIES FIXTURES_SETUP wine_display LABELS wine)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix FIXTURES_REQUIRED wine_display
                     ENVIRONMENT "${WINE_TEST_ENV}" RESOURCE_LOCK wine_prefix LABELS wine TIMEOUT 300)
set_tests_properties(wine_session_end PROPERTIES FIXTURES_CLEANUP "wine_prefix;wine_display"
                     ENVIRONMENT "${WINE_TEST_ENV}" LABELS wine)

# A test under Wine: its command (the emulator first where it runs a Windows
# program) on the fixtures' display, prefix and environment, plus ENV.
# lumisat_wine_test(NAME name TIMEOUT seconds [ENV var=value...] COMMAND command...)
function(lumisat_wine_test)
    cmake_parse_arguments(PARSE_ARGV 0 TEST "" "NAME;TIMEOUT" "ENV;COMMAND")
    add_test(NAME ${TEST_NAME} COMMAND ${WINE_SESSION} run ${WINE_SESSION_FOLDER} ${TEST_COMMAND})
    set_tests_properties(${TEST_NAME} PROPERTIES ENVIRONMENT "${WINE_TEST_ENV};${TEST_ENV}"
                         FIXTURES_REQUIRED "wine_display;wine_prefix" RESOURCE_LOCK wine_prefix LABELS wine
                         TIMEOUT ${TEST_TIMEOUT})
endfunction()

file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp)
add_executable(wine_tests ${WINE_TEST_SOURCES})
target_link_libraries(wine_tests PRIVATE lumisat_win setup_win gtest_main)
add_dependencies(wine_tests Lumisat Quarlink Setup)
lumisat_wine_test(NAME wine_tests TIMEOUT 900 COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:wine_tests>)
# Texts read back on code page 1251: Wine takes the code page from the
# Unix locale (the prefix's Nls\CodePage values are only written).
lumisat_wine_test(NAME wine_tests_cp1251 TIMEOUT 300 ENV LC_ALL=ru_RU.UTF-8
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:wine_tests>
            --gtest_filter=DialogLanguageTest.EveryLanguageReadsBackInUtf16)

# The end-to-end harness starts, drives and ends programs; the benchmarks
# reuse it.
set(E2E_HARNESS_SOURCES ControlDriving Harness ProgramProcess RemoteMenu SatelliteFile Scenario)
list(TRANSFORM E2E_HARNESS_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/tests/e2e/)
list(TRANSFORM E2E_HARNESS_SOURCES APPEND .cpp)
lumisat_library(e2e_harness ${E2E_HARNESS_SOURCES})
target_link_libraries(e2e_harness PUBLIC gtest ${WIN_SYSTEM_LIBS} psapi)
file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS tests/e2e/*.cpp)
list(REMOVE_ITEM E2E_TEST_SOURCES ${E2E_HARNESS_SOURCES})
add_executable(e2e_tests ${E2E_TEST_SOURCES})
target_link_libraries(e2e_tests PRIVATE e2e_harness gtest_main)
add_dependencies(e2e_tests Lumisat Quarlink)
lumisat_wine_test(NAME e2e_tests TIMEOUT 2400 COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:e2e_tests>)
lumisat_wine_test(NAME e2e_tests_cp1251 TIMEOUT 300 ENV LC_ALL=ru_RU.UTF-8
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:e2e_tests>
            --gtest_filter=Language.GermanOnCodePage1251ReadsBackInUtf16)

# Import and export tables of the built binaries.
add_test(NAME link_tables
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/check_link_tables.sh $<TARGET_FILE:Lumisat> $<TARGET_FILE:Quarlink> $<TARGET_FILE:Setup>)

add_subdirectory(help)
add_subdirectory(installer)
add_subdirectory(bench)
