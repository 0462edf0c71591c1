# The program's identifiers for what is not C++: the installer and the
# scripts. resources/ProgramIdentity.h states them; the compiler's
# preprocessor resolves the macros they are made of (the title takes the
# configured version), and each "inline constexpr char kSomeName[]" becomes
# the CMake variable LUMISAT_SOME_NAME and the shell variable some_name in
# <tree>/generated/ProgramIdentity.sh.
set(PROGRAM_IDENTITY_HEADER ${PROJECT_SOURCE_DIR}/resources/ProgramIdentity.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROGRAM_IDENTITY_HEADER} ${PROJECT_SOURCE_DIR}/resources/ProductVersion.h.in)

execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -E -P -w -x c++ -I${PROJECT_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated
            ${PROGRAM_IDENTITY_HEADER}
    RESULT_VARIABLE result OUTPUT_VARIABLE preprocessed ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Preprocessing ${PROGRAM_IDENTITY_HEADER} failed:\n${errors}")
endif()

set(shell_lines "# Written by the build from resources/ProgramIdentity.h; do not edit.\n")
# Without the final semicolon, which would split the list.
string(REGEX MATCHALL "inline constexpr char k[A-Za-z]+\\[\\] = [^;]+" definitions "${preprocessed}")
if(NOT definitions)
    message(FATAL_ERROR "${PROGRAM_IDENTITY_HEADER} defines no identifiers")
endif()
foreach(definition IN LISTS definitions)
    string(REGEX REPLACE "^inline constexpr char k([A-Za-z]+)\\[\\] = (.*)$" "\\1" name "${definition}")
    string(REGEX REPLACE "^inline constexpr char k([A-Za-z]+)\\[\\] = (.*)$" "\\2" literals "${definition}")
    # Adjacent literals join; only plain text and the escape \\ are expected.
    string(REGEX REPLACE "\"[ \t]*\"" "" value "${literals}")
    if(NOT value MATCHES "^\"[^\"']*\"$")
        message(FATAL_ERROR "k${name} in ${PROGRAM_IDENTITY_HEADER}: not one plain string: ${literals}")
    endif()
    string(REGEX REPLACE "^\"(.*)\"$" "\\1" value "${value}")
    string(REPLACE "\\\\" "\n" value "${value}")
    if(value MATCHES "\\\\")
        message(FATAL_ERROR "k${name} in ${PROGRAM_IDENTITY_HEADER}: an escape other than \\\\: ${literals}")
    endif()
    string(REPLACE "\n" "\\" value "${value}")

    string(REGEX REPLACE "([a-z0-9])([A-Z])" "\\1_\\2" snake "${name}")
    string(TOUPPER ${snake} upper)
    string(TOLOWER ${snake} lower)
    set(LUMISAT_${upper} "${value}")
    string(APPEND shell_lines "${lower}='${value}'\n")
endforeach()

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/ProgramIdentity.sh CONTENT "${shell_lines}" @ONLY)
