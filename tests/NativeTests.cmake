# The native build's tests: the unit tests (fake platform, real files) under
# AddressSanitizer and UndefinedBehaviorSanitizer, and one libFuzzer target
# per tests/fuzz/*_fuzz.cpp, each with its seed corpus in tests/fuzz/corpus/.
set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(fake_platform STATIC ${CODE_ROOT}/platform/fake/FakePlatform.cpp)
target_link_libraries(fake_platform PUBLIC platform)
target_compile_options(fake_platform PRIVATE ${PROJECT_WARNINGS})

file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/*.cpp)
host_sources(support_sources ${support_sources})
add_library(test_support STATIC ${support_sources})
target_include_directories(test_support PUBLIC ${CODE_ROOT})
target_compile_definitions(test_support PUBLIC "PROGRAM_DIR=\"${CMAKE_BINARY_DIR}\"")
target_compile_options(test_support PRIVATE ${PROJECT_WARNINGS})
target_link_libraries(test_support PUBLIC GTest::gtest fake_platform)

set(SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# Unit tests that pin Win32 behaviour itself and stay with the Wine run:
# - a read-only attribute set with attrib.exe (Linux has neither, and a
#   file's own permissions never stop its deletion there).
set(WINDOWS_ONLY_UNIT_TESTS
    UpdateCheckTest.RemoveFolderTreeTakesReadOnlyFilesAndReportsMissingFolders)
list(JOIN WINDOWS_ONLY_UNIT_TESTS ":" excluded)

file(GLOB unit_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/unit/*.cpp)
# The INF editing test pins the profile functions' behaviour under Wine; here
# it holds the host stand-ins to the same.
list(APPEND unit_sources ${CMAKE_CURRENT_SOURCE_DIR}/wine/inf_editing_test.cpp)
host_sources(unit_sources ${unit_sources})
add_executable(unit_tests ${unit_sources})
target_compile_options(unit_tests PRIVATE ${PROJECT_WARNINGS})
target_link_libraries(unit_tests PRIVATE test_support GTest::gtest_main wizard_core postsetup_core)
add_test(NAME unit_tests COMMAND unit_tests --gtest_brief=1 --gtest_filter=-${excluded})
set_tests_properties(unit_tests PROPERTIES ENVIRONMENT "${SANITIZER_ENVIRONMENT}" TIMEOUT 600)

# The fault sweep (scripts/fault-sweep.sh): every flow once more for each of
# its calls, with that call failing as it fails on Windows.
file(GLOB sweep_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sweep/*.cpp)
host_sources(sweep_sources ${sweep_sources})
add_executable(fault_sweep ${sweep_sources})
target_compile_options(fault_sweep PRIVATE ${PROJECT_WARNINGS})
target_link_libraries(fault_sweep PRIVATE test_support wizard_core postsetup_core)

# Fuzz targets: <name>_fuzz.cpp becomes fuzz_<name>, seeded from corpus/<name>/.
# ctest runs each over its seeds once; scripts/fuzz.sh fuzzes them for a while.
file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
add_custom_target(fuzz_targets)
foreach(source ${fuzz_sources})
    get_filename_component(stem ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${stem})
    host_sources(copy ${source})
    add_executable(fuzz_${name} ${copy})
    target_compile_options(fuzz_${name} PRIVATE ${PROJECT_WARNINGS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE test_support wizard_core)
    add_dependencies(fuzz_targets fuzz_${name})
    set(corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${name})
    if(NOT IS_DIRECTORY ${corpus})
        message(FATAL_ERROR "fuzz target ${name} has no seed corpus in ${corpus}")
    endif()
    add_test(NAME fuzz_${name}_seeds COMMAND fuzz_${name} -runs=0 ${corpus})
    set_tests_properties(fuzz_${name}_seeds PROPERTIES ENVIRONMENT "${SANITIZER_ENVIRONMENT}")
endforeach()
