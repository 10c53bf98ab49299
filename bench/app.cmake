# Start-up of the pedigree window: the zan program is started with a 2,000-row pedigree file until
# its window is shown.
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE benchmark::benchmark)
target_compile_definitions(startup_bench PRIVATE ZAN_PROGRAM="$<TARGET_FILE:zan>")
set_target_properties(startup_bench PROPERTIES AUTOMOC OFF)
add_dependencies(startup_bench zan)
