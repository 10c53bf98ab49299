# Whole analyses of the pedigree engine: reset, every row, compute, every bird read back.
add_executable(engine_bench ${CMAKE_CURRENT_LIST_DIR}/engine_bench.cpp)
target_link_libraries(engine_bench PRIVATE zan_engine benchmark::benchmark)
set_target_properties(engine_bench PROPERTIES AUTOMOC OFF)
