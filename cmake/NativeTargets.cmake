# Native build: the portable core's tests and benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB core_test_sources CONFIGURE_DEPENDS tests/core/*.cpp)
add_executable(core_tests ${core_test_sources})
target_link_libraries(core_tests PRIVATE purimo_core GTest::gtest GTest::gtest_main)
target_include_directories(core_tests PRIVATE tests/core)
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark QUIET)
file(GLOB bench_sources CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND bench_sources)
    add_executable(core_bench ${bench_sources})
    target_link_libraries(core_bench PRIVATE purimo_core benchmark::benchmark benchmark::benchmark_main)
    target_include_directories(core_bench PRIVATE tests/core)
endif()
