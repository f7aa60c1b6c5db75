# Runs lupdate over the program's sources into a copy of the English catalogue,
# as the update_translations target would. The committed catalogue must come
# out unchanged (every text the program translates is in it, none it no longer
# has) and with no text left without its English one.
#   cmake -DLUPDATE=... -DTS=... -DSOURCES=list-file -DOPTIONS=a;list -DWORK=dir -P catalogue_check.cmake
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/veltrix_en.ts)
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} @${SOURCES} -ts ${copy}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${output}")
endif()

file(READ ${copy} updated)
# Listed for the message as they read: a CMake list splits at ';', which every
# XML entity ends with.
string(REPLACE "&amp;" "&" readable "${updated}")
string(REPLACE "&apos;" "'" readable "${readable}")
string(REPLACE "&quot;" "\"" readable "${readable}")
string(REPLACE "&gt;" ">" readable "${readable}")
string(REPLACE ";" "," readable "${readable}")
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" unfinished
    "${readable}")
set(missing "")
foreach(entry IN LISTS unfinished)
    string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
    string(APPEND missing "  ${text}\n")
endforeach()
if(missing)
    message(FATAL_ERROR "Texts without an English translation in ${TS}:\n${missing}"
        "Run the update_translations target and translate them.")
endif()
file(READ ${TS} committed)
if(NOT committed STREQUAL updated)
    message(FATAL_ERROR "${TS} is not up to date with the sources (a translated text changed "
        "or is gone): run the update_translations target.")
endif()
