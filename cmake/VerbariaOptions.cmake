# One INTERFACE target carries the language standard, the warnings and the Qt defines for every
# target of the project, so that no room sets its own flags.
add_library(verbaria_options INTERFACE)
add_library(Verbaria::Options ALIAS verbaria_options)
target_compile_features(verbaria_options INTERFACE cxx_std_20)
target_compile_options(verbaria_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${VERBARIA_WERROR}>:-Werror>
    # GCC 12 reports string copies inside libstdc++ as overlapping when optimising (a known false
    # alarm), which would bury real warnings in a Release build.
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
target_compile_definitions(verbaria_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)

if(VERBARIA_SANITIZE)
    target_compile_options(verbaria_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(verbaria_options INTERFACE -fsanitize=address,undefined)
endif()

# Adds a GoogleTest executable made of the given sources and registers its tests with CTest.
function(verbaria_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main verbaria_options)
    target_compile_definitions(${name} PRIVATE
        VERBARIA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        VERBARIA_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
