# Page formatting of a 60-page report for a 600-dpi printer, and showing pages in the preview.
add_executable(print_bench ${CMAKE_CURRENT_LIST_DIR}/print_bench.cpp)
target_link_libraries(print_bench PRIVATE zan_print benchmark::benchmark)
set_target_properties(print_bench PROPERTIES AUTOMOC OFF)
