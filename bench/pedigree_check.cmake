# The pedigree check over lofts of 100,000 rows.
add_executable(pedigree_check_bench ${CMAKE_CURRENT_LIST_DIR}/pedigree_check_bench.cpp)
target_link_libraries(pedigree_check_bench PRIVATE zan_engine benchmark::benchmark)
set_target_properties(pedigree_check_bench PROPERTIES AUTOMOC OFF)
