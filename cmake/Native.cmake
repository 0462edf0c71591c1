# Native build: the plain rules under AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(target lumisat_common lumisat_rules quarlink_model setup_rules)
    target_compile_options(${target} PRIVATE ${SANITIZERS})
endforeach()

find_package(GTest REQUIRED)
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_compile_options(unit_tests PRIVATE ${LUMISAT_WARNINGS} ${SANITIZERS})
target_link_options(unit_tests PRIVATE ${SANITIZERS})
target_link_libraries(unit_tests PRIVATE lumisat_rules quarlink_model setup_rules GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE LUMISAT_IDENTITY_SCRIPT="${CMAKE_BINARY_DIR}/generated/ProgramIdentity.sh")
# The source tree, as the Wine tests are given it.
add_test(NAME unit_tests COMMAND unit_tests)
set_tests_properties(unit_tests PROPERTIES ENVIRONMENT "LUMISAT_SOURCE=${PROJECT_SOURCE_DIR}")

# Checks of the sources themselves: includes follow layers.txt, and the
# shipped language files are what their UTF-8 sources give.
add_test(NAME layers COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-layers.sh)
# The check itself catches an include down the layers and a cycle among the window files.
add_test(NAME layers_catch_framework_to_database
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-layers.sh --plant framework/TabPage.h:3:database/ChannelDatabase.h)
add_test(NAME layers_catch_window_cycle
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-layers.sh --plant app/win/SignalWindow.cpp:3:app/win/MainDlg.h)
set_tests_properties(layers_catch_framework_to_database PROPERTIES
    PASS_REGULAR_EXPRESSION "framework may not include database")
set_tests_properties(layers_catch_window_cycle PROPERTIES PASS_REGULAR_EXPRESSION "include cycle: app/win/MainDlg")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME language_files
    COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/resources/tools/make_language_file.py --check)

# Fuzz targets need clang's libFuzzer; each runs for a bounded time as a test.
set(LUMISAT_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs in the test suite")
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS fuzz/*.cpp)
    foreach(source ${FUZZ_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
        target_link_libraries(${name} PRIVATE lumisat_rules quarlink_model setup_rules)
        set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
        file(MAKE_DIRECTORY ${corpus})
        add_test(NAME ${name}
            COMMAND ${name} -max_total_time=${LUMISAT_FUZZ_SECONDS} -rss_limit_mb=2048 ${corpus} ${PROJECT_SOURCE_DIR}/fuzz/seeds/${name})
    endforeach()
endif()

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/native/*.cpp)
find_package(benchmark QUIET)
if(benchmark_FOUND)
    # Benchmarks time optimised code: they build the rules again without the
    # sanitizers. Not part of the default build; build them by name.
    add_library(lumisat_rules_optimised STATIC EXCLUDE_FROM_ALL ${LUMISAT_SOURCES_common} ${LUMISAT_RULE_SOURCES})
    target_include_directories(lumisat_rules_optimised PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(lumisat_rules_optimised PRIVATE -O2)
    foreach(source ${BENCH_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} EXCLUDE_FROM_ALL ${source})
        target_compile_options(${name} PRIVATE -O2)
        target_link_libraries(${name} PRIVATE lumisat_rules_optimised benchmark::benchmark)
    endforeach()
endif()

# Demo channel databases for the run command and the end-to-end scenarios.
add_executable(MakeDemoDatabase tools/MakeDemoDatabase.cpp)
target_link_libraries(MakeDemoDatabase PRIVATE lumisat_rules)
target_compile_options(MakeDemoDatabase PRIVATE ${SANITIZERS})
target_link_options(MakeDemoDatabase PRIVATE ${SANITIZERS})
