# Reading one limit definition from the user's database, as every run of the harmonic analysis
# does: class A of the shipped script, 39 rows.
ql_add_benchmark(bench_limits SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/LimitBenchmark.cpp
    LIBS ql_harmonics)
target_compile_definitions(bench_limits PRIVATE
    QL240_LIMIT_SCRIPT="${CMAKE_SOURCE_DIR}/data/obwlimit.sql")
