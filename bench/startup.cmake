# Start to first window and idle CPU of the program beside a minimal Qt Widgets program, each
# started as a process of its own (the probes, kept out of the folder of benchmark programs).
if(TARGET ql_gui)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    set(probe_folder ${CMAKE_CURRENT_BINARY_DIR}/probes)
    add_executable(ql240_probe ${CMAKE_CURRENT_SOURCE_DIR}/ProgramProbe.cpp)
    target_link_libraries(ql240_probe PRIVATE ql_gui)
    add_executable(minimal_probe ${CMAKE_CURRENT_SOURCE_DIR}/MinimalProbe.cpp)
    target_link_libraries(minimal_probe PRIVATE Qt6::Widgets)
    set_target_properties(ql240_probe minimal_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                               ${probe_folder})
    ql_add_benchmark(bench_startup SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/StartupBenchmark.cpp)
    target_compile_definitions(bench_startup PRIVATE
        QL240_PROGRAM_PROBE="$<TARGET_FILE:ql240_probe>"
        QL240_MINIMAL_PROBE="$<TARGET_FILE:minimal_probe>"
        QL240_BUILD_DATA="${QL240_DATA_DIR}"
        QL240_SIMULATOR="$<TARGET_FILE:scopesim>")
    add_dependencies(bench_startup ql240_probe minimal_probe model_table scopesim)
endif()
