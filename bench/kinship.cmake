# The pairing planner: every cock with every hen in lofts of 1,000 to 100,000 birds.
add_executable(kinship_bench ${CMAKE_CURRENT_LIST_DIR}/kinship_bench.cpp)
target_link_libraries(kinship_bench PRIVATE zan_engine benchmark::benchmark)
set_target_properties(kinship_bench PROPERTIES AUTOMOC OFF)
