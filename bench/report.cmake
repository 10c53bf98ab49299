# The batch report command on a 2048-bird pedigree, to text and to PDF.
add_executable(report_bench ${CMAKE_CURRENT_LIST_DIR}/report_bench.cpp)
target_link_libraries(report_bench PRIVATE zan_app benchmark::benchmark)

# The report window on the same pedigree: Analyze to the first page shown, and a page change.
add_executable(report_window_bench ${CMAKE_CURRENT_LIST_DIR}/report_window_bench.cpp)
target_link_libraries(report_window_bench PRIVATE zan_app benchmark::benchmark)
