# Receiving a KLT of 50 games into an installation of 2,000 against unzip + cp. Not a test.
add_executable(bench_receive bench_receive.cpp)
target_link_libraries(bench_receive PRIVATE kolt_exchange kolt_programs kolt_platform_linux)
