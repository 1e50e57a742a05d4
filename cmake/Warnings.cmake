# Warnings apply to the project's own code only (third-party targets are
# created before these flags are attached to our targets).
set(MURKWISP_WARNINGS -Wall -Wextra -Wno-unused-parameter -Werror=non-virtual-dtor
    -Werror=return-type -Werror=delete-non-virtual-dtor)
function(murkwisp_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${MURKWISP_WARNINGS}>)
endfunction()
