# Warnings apply to the project's own code only (third-party targets are
# created before these flags are attached to our targets). Every CI build
# treats them as errors; MURKWISP_WERROR=OFF relaxes that for a compiler that
# warns about more than the ones CI uses.
option(MURKWISP_WERROR "Treat the project's compiler warnings as errors" ON)
set(MURKWISP_WARNINGS -Wall -Wextra -Wno-unused-parameter -Werror=non-virtual-dtor -Woverloaded-virtual
    -Werror=return-type -Werror=delete-non-virtual-dtor)
if(MURKWISP_WERROR)
  list(APPEND MURKWISP_WARNINGS -Werror)
endif()
function(murkwisp_warnings target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${MURKWISP_WARNINGS}>)
endfunction()
