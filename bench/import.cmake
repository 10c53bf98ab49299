# Importing a 100,000-row table from another program: delimited text and an .xlsx workbook.
add_executable(import_bench ${CMAKE_CURRENT_LIST_DIR}/import_bench.cpp)
if(NOT TARGET PkgConfig::XLSXWRITER)
    pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
endif()
target_link_libraries(import_bench PRIVATE zan_grid PkgConfig::XLSXWRITER benchmark::benchmark)
set_target_properties(import_bench PROPERTIES AUTOMOC OFF)
