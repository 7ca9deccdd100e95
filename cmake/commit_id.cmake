# Writes OUTPUT, a header naming the commit the sources come from (with
# "-modified" when the work tree differs from it, "unknown" outside a git
# clone). Run at every build; the header changes only when the commit does,
# so nothing is rebuilt otherwise.
#   cmake -DSOURCE=DIR -DOUTPUT=FILE -P commit_id.cmake
execute_process(COMMAND git -C ${SOURCE} rev-parse --short=12 HEAD
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
if(failed OR commit STREQUAL "")
  set(commit unknown)
else()
  execute_process(COMMAND git -C ${SOURCE} diff --quiet HEAD RESULT_VARIABLE modified ERROR_QUIET)
  if(modified)
    string(APPEND commit "-modified")
  endif()
endif()
file(WRITE ${OUTPUT}.new "#pragma once\n#define SMX_COMMIT \"${commit}\"\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
