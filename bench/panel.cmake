# Painting the About box's terms panel (657 x 329) with its text and the installed fonts.
add_executable(panel_bench ${CMAKE_CURRENT_LIST_DIR}/panel_bench.cpp)
target_link_libraries(panel_bench PRIVATE zan_app zan_panel benchmark::benchmark)
set_target_properties(panel_bench PROPERTIES AUTOMOC OFF)
