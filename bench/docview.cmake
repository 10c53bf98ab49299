# Formatting a 5,000-line report document for a 600-dpi printer.
add_executable(docview_bench ${CMAKE_CURRENT_LIST_DIR}/docview_bench.cpp)
target_link_libraries(docview_bench PRIVATE zan_docview zan_platform benchmark::benchmark)
set_target_properties(docview_bench PROPERTIES AUTOMOC OFF)
