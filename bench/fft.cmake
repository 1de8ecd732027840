# The FFT core against FFTW on the same input, and the spectrum computation of both channels.
# FFTW serves only as the yardstick here; the program and its tests never link it.
ql_add_benchmark(bench_fft SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FftBenchmark.cpp LIBS ql_fft fftw3)
# The yardstick's magnitude loop vectorises like the library's only without errno.
target_compile_options(bench_fft PRIVATE -fno-math-errno)
