# Copies SOURCE to DESTINATION unless DESTINATION exists: files of a program folder that its user may
# have changed are made once and never replaced.
# Usage: cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfAbsent.cmake
if(NOT EXISTS "${DESTINATION}")
    get_filename_component(folder "${DESTINATION}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
