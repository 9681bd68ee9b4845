# Native build: the portable core's tests and benchmarks.
find_package(GTest REQUIRED)

# The whole core and its tests with the address and undefined-behaviour sanitizers, for a build
# folder of its own: cmake -DPURIMO_SANITIZE=ON
option(PURIMO_SANITIZE "Build the core, its tests and the fuzz targets with the sanitizers" OFF)
set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
if(PURIMO_SANITIZE)
    target_compile_options(purimo_core PUBLIC ${sanitizers})
    target_link_options(purimo_core PUBLIC ${sanitizers})
endif()
include(GoogleTest)

file(GLOB core_test_sources CONFIGURE_DEPENDS tests/core/*.cpp)
add_executable(core_tests ${core_test_sources})
target_link_libraries(core_tests PRIVATE purimo_core GTest::gtest GTest::gtest_main)
target_include_directories(core_tests PRIVATE tests/core)
gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark QUIET)
file(GLOB bench_sources CONFIGURE_DEPENDS bench/*.cpp)
if(benchmark_FOUND AND bench_sources AND NOT PURIMO_SANITIZE)
    add_executable(core_bench ${bench_sources})
    target_link_libraries(core_bench PRIVATE purimo_core benchmark::benchmark benchmark::benchmark_main)
    target_include_directories(core_bench PRIVATE tests/core)
endif()

# Fuzz targets of the parsers, each with a driver of random mutations (clang's libFuzzer cannot
# compile code page 932 literals): cmake -DPURIMO_FUZZ=ON, then MonthFileFuzz -runs=N fuzz/corpus/*
option(PURIMO_FUZZ "Build the fuzz targets with the address and undefined-behaviour sanitizers" OFF)
if(PURIMO_FUZZ)
    if(PURIMO_SANITIZE)
        add_library(purimo_core_sanitized ALIAS purimo_core)
    else()
        add_library(purimo_core_sanitized STATIC ${core_sources})
        target_include_directories(purimo_core_sanitized PUBLIC src)
        target_compile_options(purimo_core_sanitized PRIVATE ${sanitizers})
    endif()
    file(GLOB fuzz_targets CONFIGURE_DEPENDS fuzz/*Fuzz.cpp)
    foreach(source IN LISTS fuzz_targets)
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source} fuzz/FuzzDriver.cpp)
        target_compile_options(${name} PRIVATE ${sanitizers})
        target_link_options(${name} PRIVATE ${sanitizers})
        target_link_libraries(${name} PRIVATE purimo_core_sanitized)
    endforeach()
endif()
