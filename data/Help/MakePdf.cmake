# Turns the user guide's groff source into a PDF:
#   cmake -DGROFF=<groff> -DSOURCE=<Help.ms> -DOUTPUT=<Help.pdf> -P MakePdf.cmake
# The PDF is written beside its final place and renamed into it, so a failed run leaves no half file.
execute_process(
    COMMAND ${GROFF} -t -ms -dpaper=a4 -P-pa4 -Tpdf -wall ${SOURCE}
    OUTPUT_FILE ${OUTPUT}.part
    ERROR_VARIABLE messages
    RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT messages STREQUAL "")
    file(REMOVE ${OUTPUT}.part)
    message(FATAL_ERROR "groff could not make ${OUTPUT} (${result}):\n${messages}")
endif()
file(RENAME ${OUTPUT}.part ${OUTPUT})
