# One run of the harmonic analysis on a new acquisition: transform, accumulation and 40 rows
# judged against class A held in memory (the definitions of the harmonics tests).
ql_add_benchmark(bench_harmonics SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/HarmonicsBenchmark.cpp
    LIBS ql_harmonics)
target_include_directories(bench_harmonics PRIVATE ${CMAKE_SOURCE_DIR}/tests/harmonics)
