# Warnings for our own targets: tovrin_warnings(<target>)
function(tovrin_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Werror=return-type
                                             -Werror=format-security)
endfunction()
