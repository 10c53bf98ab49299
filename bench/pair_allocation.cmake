# The season's pairs from pairing plans of 200 and 1,000 cocks and hens.
add_executable(pair_allocation_bench ${CMAKE_CURRENT_LIST_DIR}/pair_allocation_bench.cpp)
target_link_libraries(pair_allocation_bench PRIVATE zan_engine benchmark::benchmark)
set_target_properties(pair_allocation_bench PROPERTIES AUTOMOC OFF)
