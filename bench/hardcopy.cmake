# The preview picture on the Qt image device and a whole metafile export, drawn from a screen
# read from the simulated instrument. Its own main() starts the Qt application the fonts need.
if(TARGET ql_gui)
    add_executable(bench_hardcopy ${CMAKE_CURRENT_SOURCE_DIR}/HardcopyBenchmark.cpp)
    target_link_libraries(bench_hardcopy PRIVATE ql_gui ql_scopesim benchmark::benchmark)
    target_compile_definitions(bench_hardcopy PRIVATE
                               QL240_MODEL_TABLE="${QL240_DATA_DIR}/scopes.db")
    add_dependencies(bench_hardcopy model_table)
endif()
