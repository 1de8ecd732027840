# showFft of the dual tab and of one single tab, drawn through the Qt paint device on images of
# the chart's size; needs the Qt build, and brings its own main for the Qt application.
if(TARGET ql_gui)
    add_executable(bench_fft_charts ${CMAKE_CURRENT_SOURCE_DIR}/FftChartBenchmark.cpp)
    target_link_libraries(bench_fft_charts PRIVATE ql_gui benchmark::benchmark)
endif()
