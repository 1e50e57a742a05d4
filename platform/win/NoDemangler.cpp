// The modules' link routes the runtime's demangler here (cmake/Layers.cmake,
// murkwisp_link_module: --wrap=__cxa_demangle). Its only caller in a module
// is the runtime's last message when an exception ends the process, which
// then names the type mangled; the demangler itself is over 40 KB. Nothing
// else links this: without the wrap no one refers to it.
#include <cstddef>

extern "C" char* __wrap___cxa_demangle(const char*, char*, std::size_t*, int* status)
{
  if (status)
    *status = -2; // not a valid mangled name
  return nullptr;
}
