# Loading and saving a 100,000-row pedigree file through the grid's CSV operations.
add_executable(grid_bench ${CMAKE_CURRENT_LIST_DIR}/grid_bench.cpp)
target_link_libraries(grid_bench PRIVATE zan_grid benchmark::benchmark)
set_target_properties(grid_bench PROPERTIES AUTOMOC OFF)
