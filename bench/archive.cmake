# Archive wrapper against Info-ZIP: bench_archive [megabytes]. Not a test.
add_executable(bench_archive bench_archive.cpp)
target_link_libraries(bench_archive PRIVATE kolt_exchange)
