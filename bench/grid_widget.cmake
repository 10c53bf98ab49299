# Typing a pedigree into the grid on screen through key events (offscreen unless
# QT_QPA_PLATFORM says otherwise): keystrokes per second and the worst keystroke.
add_executable(grid_widget_bench ${CMAKE_CURRENT_LIST_DIR}/grid_widget_bench.cpp)
target_link_libraries(grid_widget_bench PRIVATE zan_grid Qt6::Widgets Qt6::Test benchmark::benchmark)
set_target_properties(grid_widget_bench PROPERTIES AUTOMOC OFF)
