# Compiles one language's help (cmake -P). Stages the pages, the style sheet
# and the screenshots in one folder, refuses pages that show a missing
# screenshot, runs chmcmd and checks that every page and image went in.
cmake_minimum_required(VERSION 3.25)
foreach(var LANGUAGE SOURCE_DIR COMMON_DIR SCREENSHOT_DIR STAGING_DIR OUTPUT CHMCMD PROGRAM_TITLE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "BuildHelp.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${STAGING_DIR})
file(MAKE_DIRECTORY ${STAGING_DIR}/images)
file(GLOB sources ${SOURCE_DIR}/*)
file(COPY ${sources} DESTINATION ${STAGING_DIR})
file(GLOB common ${COMMON_DIR}/*)
file(COPY ${common} DESTINATION ${STAGING_DIR})
file(COPY ${SCREENSHOT_DIR}/ DESTINATION ${STAGING_DIR}/images FILES_MATCHING PATTERN "*.png")

file(GLOB pages ${STAGING_DIR}/*.html)
# The title the program shows, with the version of this build.
foreach(page ${pages})
    file(READ ${page} text)
    string(FIND "${text}" "@PROGRAM_TITLE@" at)
    if(NOT at EQUAL -1)
        string(REPLACE "@PROGRAM_TITLE@" "${PROGRAM_TITLE}" text "${text}")
        file(WRITE ${page} "${text}")
    endif()
endforeach()

# Every image a page shows must be there: chmcmd would only warn.
set(images)
foreach(page ${pages})
    file(STRINGS ${page} lines REGEX "src=\"images/[^\"]+\"")
    foreach(line ${lines})
        string(REGEX MATCHALL "src=\"images/[^\"]+\"" found "${line}")
        foreach(reference ${found})
            string(REGEX REPLACE "src=\"([^\"]+)\"" "\\1" image "${reference}")
            if(NOT EXISTS ${STAGING_DIR}/${image})
                get_filename_component(name ${page} NAME)
                message(FATAL_ERROR "${LANGUAGE}/${name} shows ${image}, which is not in docs/screenshots")
            endif()
            list(APPEND images ${image})
        endforeach()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES images)

execute_process(COMMAND ${CHMCMD} --verbosity 1 ${LANGUAGE}.hhp
    WORKING_DIRECTORY ${STAGING_DIR}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${STAGING_DIR}/${LANGUAGE}.chm)
    message(FATAL_ERROR "chmcmd failed for ${LANGUAGE}.hhp (${result}):\n${output}")
endif()

if(CHMLS)
    execute_process(COMMAND ${CHMLS} list ${LANGUAGE}.chm
        WORKING_DIRECTORY ${STAGING_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE listing ERROR_VARIABLE listing_errors)
    foreach(page ${pages})
        get_filename_component(name ${page} NAME)
        list(APPEND images ${name})
    endforeach()
    foreach(file ${images})
        string(FIND "${listing}" "/${file}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "${LANGUAGE}.chm lacks ${file}")
        endif()
    endforeach()
endif()

get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(COPY_FILE ${STAGING_DIR}/${LANGUAGE}.chm ${OUTPUT})
