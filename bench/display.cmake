# The screen redraw with its chain on Qt images, a cursor move, and the screen picture against
# plain QPainter polylines.
if(TARGET ql_gui)
    ql_add_benchmark(bench_display SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/DisplayBenchmark.cpp
                     LIBS ql_gui)
endif()
