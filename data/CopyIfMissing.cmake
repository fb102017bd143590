# cmake -DFROM=<file> -DTO=<file> -P CopyIfMissing.cmake: copies FROM to TO only when TO does not exist,
# so a file the program has since written is never replaced.
if(NOT EXISTS "${TO}")
    get_filename_component(folder "${TO}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${FROM}" "${TO}")
endif()
