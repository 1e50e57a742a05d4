# Kiss FFT: Debian's package natively; for the cross build its sources from
# `apt-get source kissfft` (fetched by scripts/setup.sh), compiled statically
# for float samples.
if(CMAKE_CROSSCOMPILING)
  set(MURKWISP_KISSFFT_SOURCE "${CMAKE_SOURCE_DIR}/build/third_party/kissfft"
      CACHE PATH "Kiss FFT source folder for the cross build")
  if(NOT EXISTS "${MURKWISP_KISSFFT_SOURCE}/kiss_fftr.c")
    message(FATAL_ERROR "Kiss FFT sources not found in ${MURKWISP_KISSFFT_SOURCE}: run scripts/setup.sh")
  endif()
  add_library(murkwisp_kissfft STATIC
    ${MURKWISP_KISSFFT_SOURCE}/kiss_fft.c
    ${MURKWISP_KISSFFT_SOURCE}/kiss_fftr.c)
  target_include_directories(murkwisp_kissfft SYSTEM PUBLIC ${MURKWISP_KISSFFT_SOURCE})
  target_compile_definitions(murkwisp_kissfft PUBLIC kiss_fft_scalar=float)
  add_library(Murkwisp::kissfft ALIAS murkwisp_kissfft)
else()
  find_package(kissfft CONFIG REQUIRED COMPONENTS SHARED float)
  add_library(Murkwisp::kissfft ALIAS kissfft::kissfft-float)
endif()
