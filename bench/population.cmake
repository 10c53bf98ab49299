# Population figures of a club's pedigree from 10,000 to 10,000,000 birds.
add_executable(population_bench ${CMAKE_CURRENT_LIST_DIR}/population_bench.cpp)
target_link_libraries(population_bench PRIVATE zan_engine benchmark::benchmark)
set_target_properties(population_bench PROPERTIES AUTOMOC OFF)
# The whole command on a pedigree file: reading, computing every figure, writing every bird.
add_executable(population_command_bench ${CMAKE_CURRENT_LIST_DIR}/population_command_bench.cpp)
target_link_libraries(population_command_bench PRIVATE zan_app benchmark::benchmark)
