# Windows build (mingw-w64): the Win32 layer, the program and the tests that run it under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

file(GLOB app_sources CONFIGURE_DEPENDS src/app/*.cpp src/widgets/*.cpp)
list(FILTER app_sources EXCLUDE REGEX "/WinMain\\.cpp$")
add_library(purimo_win STATIC ${win_layer_sources} ${app_sources})
target_include_directories(purimo_win PUBLIC res)
target_link_libraries(purimo_win PUBLIC purimo_core
    comctl32 comdlg32 gdi32 imm32 msimg32 user32 advapi32 version shell32 wininet winspool ole32)

# Pictures are kept as readable pixel maps in res/ and turned into bitmaps and the icon here.
set(picture_dir ${CMAKE_BINARY_DIR}/res)
set(pictures ${picture_dir}/hand_prev.bmp ${picture_dir}/hand_next.bmp ${picture_dir}/purimo.ico)
file(GLOB picture_sources CONFIGURE_DEPENDS res/*.txt res/*.py)
add_custom_command(OUTPUT ${pictures}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/res/mkpictures.py ${picture_dir}
    DEPENDS ${picture_sources}
    COMMENT "Making the button pictures and the icon")
add_custom_target(pictures DEPENDS ${pictures})

set(rc_file ${CMAKE_SOURCE_DIR}/res/PurimoManage.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 932 -I ${picture_dir} -I ${CMAKE_SOURCE_DIR}/res")
# The resource compiler reads the pictures and the manifest as files of their own, which no
# dependency scan sees: named here, a changed one rebuilds the resources.
set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${pictures};${CMAKE_SOURCE_DIR}/res/PurimoManage.manifest")

add_executable(PurimoManage WIN32 src/app/WinMain.cpp ${rc_file})
target_link_libraries(PurimoManage PRIVATE purimo_win)
target_link_options(PurimoManage PRIVATE -municode)
add_dependencies(PurimoManage pictures)

# The manual 操作手順書.pdf beside the program, made from its HTML with weasyprint and the IPA fonts.
# The HTML names only files of its own folder, so nothing is fetched from the network.
find_program(WEASYPRINT weasyprint REQUIRED)
set(manual_dir ${CMAKE_SOURCE_DIR}/docs/manual)
set(manual_pdf ${CMAKE_BINARY_DIR}/操作手順書.pdf)
file(GLOB manual_images CONFIGURE_DEPENDS ${manual_dir}/images/*.png)
add_custom_command(OUTPUT ${manual_pdf}
    COMMAND ${WEASYPRINT} --quiet --base-url ${manual_dir}/ ${manual_dir}/manual.html ${manual_pdf}
    DEPENDS ${manual_dir}/manual.html ${manual_dir}/manual.css ${manual_images}
    COMMENT "Making the manual")
add_custom_target(manual ALL DEPENDS ${manual_pdf})

# Windows tests: GoogleTest built from Debian's sources with the cross compiler, for the 64-bit and
# the 32-bit program alike, each run under its own Wine loader.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# GoogleTest's own sources are not code page 932 text.
get_directory_property(own_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${own_options}")
include(GoogleTest)
file(GLOB win_test_sources CONFIGURE_DEPENDS tests/win/*.cpp)
# The tests load the program's resources (version, pictures) from their own executable.
add_executable(win_tests ${win_test_sources} ${rc_file})
target_link_libraries(win_tests PRIVATE purimo_win gtest)
target_include_directories(win_tests PRIVATE tests/win)
add_dependencies(win_tests pictures)
gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_FILTER -ReadOnlyTest.*
    PROPERTIES TIMEOUT 120)
# Read-only files stop only an ordinary user: under Wine an administrator writes them.
add_test(NAME ReadOnlyTest.AsOrdinaryUser
    COMMAND ${CMAKE_COMMAND} -E env PURIMO_WINE_LOADER=${CMAKE_CROSSCOMPILING_EMULATOR}
        ${CMAKE_SOURCE_DIR}/scripts/as-user.sh $<TARGET_FILE:win_tests> --gtest_filter=ReadOnlyTest.*)
set_tests_properties(ReadOnlyTest.AsOrdinaryUser PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
# The same program on a Windows whose ANSI code page is 1252: start-up, paging, entry and saving
# must give the same bytes. The clock shows the locale's own weekday names, so it is left out.
add_test(NAME EnglishWindows.StartupPagingEntryAndSave
    COMMAND ${CMAKE_COMMAND} -E env LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 PURIMO_EXPECT_ACP=1252
        ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:win_tests>
        --gtest_filter=LocaleTest.*:StartupTest.*:PagingTest.*:EntryTest.*:SaveTest.*-StartupTest.ClockShowsDateWeekdayAndTime)
set_tests_properties(EnglishWindows.StartupPagingEntryAndSave PROPERTIES TIMEOUT 300)
add_test(NAME Manual.IsARealPdf COMMAND ${CMAKE_SOURCE_DIR}/tests/manual/check-manual.sh ${manual_pdf} ${CMAKE_SOURCE_DIR})

# A second process for the month file tests: a save loop to end at random moments, and a reader
# whose memory is measured on its own.
add_executable(month_file_helper tests/win/helpers/MonthFileHelper.cpp)
target_link_libraries(month_file_helper PRIVATE purimo_win)
target_link_options(month_file_helper PRIVATE -municode)
add_dependencies(win_tests month_file_helper)

# Benchmarks of the whole program (scripts/bench.sh), never run by ctest: the window's own
# operations timed in the real window on the tests' fixture, the empty window and the floor that
# start-up is measured against, built by the same toolchain, and the launcher that times them.
add_executable(win_bench bench/win/WindowBench.cpp tests/win/FormFixture.cpp tests/win/HelperProcess.cpp
    tests/win/TestMain.cpp ${rc_file})
target_link_libraries(win_bench PRIVATE purimo_win gtest)
target_include_directories(win_bench PRIVATE tests/win)
add_dependencies(win_bench pictures)
add_executable(empty_window WIN32 bench/win/EmptyWindow.cpp)
target_link_options(empty_window PRIVATE -municode)
add_executable(start_floor WIN32 bench/win/StartFloor.cpp bench/win/StartFloor.rc)
set_source_files_properties(bench/win/StartFloor.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/bench/win/StartFloor.manifest)
target_link_options(start_floor PRIVATE -municode)
add_executable(start_bench bench/win/StartBench.cpp)
target_link_options(start_bench PRIVATE -municode)
target_link_libraries(start_bench PRIVATE psapi)

# The program ships stripped; its debug information stays beside it in PurimoManage.exe.debug,
# linked by name, for reading crash addresses.
add_custom_command(TARGET PurimoManage POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug PurimoManage.exe PurimoManage.exe.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=PurimoManage.exe.debug PurimoManage.exe
    WORKING_DIRECTORY $<TARGET_FILE_DIR:PurimoManage>
    COMMENT "Stripping PurimoManage.exe, its debug information kept apart")
