# A read-all against the simulator program on a pseudo-terminal at the real line rate, compared
# with what the line itself allows.
ql_add_benchmark(bench_read_all SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ReadAllBenchmark.cpp
                 LIBS ql_link)
target_compile_definitions(bench_read_all PRIVATE
                           QL240_SCOPESIM_PROGRAM="$<TARGET_FILE:scopesim>"
                           QL240_MODEL_TABLE="${QL240_DATA_DIR}/scopes.db")
add_dependencies(bench_read_all scopesim model_table)
