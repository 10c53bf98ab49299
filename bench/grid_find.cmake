# Searching a 100,000-row pedigree for a band number it does not hold.
add_executable(grid_find_bench ${CMAKE_CURRENT_LIST_DIR}/grid_find_bench.cpp)
target_link_libraries(grid_find_bench PRIVATE zan_grid benchmark::benchmark)
set_target_properties(grid_find_bench PROPERTIES AUTOMOC OFF)
