# Kiss FFT, compiled for the tests and benchmarks from Debian's source
# package (fetched into build/third_party by scripts/setup.sh) for float
# samples. Debian's binary package is built with -ffast-math, which lets the
# compiler reorder Kiss's sums; here it gets plain IEEE arithmetic, so its
# results are defined by its source alone and the engine can be checked
# against it bit for bit.
set(MURKWISP_KISSFFT_SOURCE "${CMAKE_SOURCE_DIR}/build/third_party/kissfft"
    CACHE PATH "Kiss FFT source folder")
if(NOT EXISTS "${MURKWISP_KISSFFT_SOURCE}/kiss_fftr.c")
  message(FATAL_ERROR "Kiss FFT sources not found in ${MURKWISP_KISSFFT_SOURCE}: run scripts/setup.sh")
endif()
add_library(murkwisp_kissfft STATIC
  ${MURKWISP_KISSFFT_SOURCE}/kiss_fft.c
  ${MURKWISP_KISSFFT_SOURCE}/kiss_fftr.c)
target_include_directories(murkwisp_kissfft SYSTEM PUBLIC ${MURKWISP_KISSFFT_SOURCE})
target_compile_definitions(murkwisp_kissfft PUBLIC kiss_fft_scalar=float)
add_library(Murkwisp::kissfft ALIAS murkwisp_kissfft)
