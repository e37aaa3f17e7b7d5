# Installs the translator package into a fresh prefix, builds the example program against it
# as an outside project would, and runs it once. Needs no network: everything comes from the
# build tree and the system.
foreach(variable BUILD_DIR SOURCE_DIR WORK_DIR GENERATOR CXX_COMPILER)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
    endif()
    set(run_output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/prefix" --component VerbariaTranslator)
if(EXISTS "${WORK_DIR}/prefix/bin")
    message(FATAL_ERROR "the translator package installed programs: it should hold libraries and headers only")
endif()
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}/examples" -B "${WORK_DIR}/build" -G "${GENERATOR}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}"
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")

# The README's header and five lines, as they stand, in a program of a programmer's own (without
# this project's compile flags).
file(READ "${SOURCE_DIR}/README.md" readme)
string(REGEX MATCH "`#include <([^>]+)>`" include_line "${readme}")
set(readme_header "${CMAKE_MATCH_1}")
string(REGEX MATCH "```cpp\n(auto \\*translator[^`]*)```" snippet "${readme}")
set(readme_code "${CMAKE_MATCH_1}")
if(readme_header STREQUAL "" OR readme_code STREQUAL "")
    message(FATAL_ERROR "the README names no header or has no translator example")
endif()
file(WRITE "${WORK_DIR}/readme/main.cpp" "#include <${readme_header}>\n"
    "#include <QApplication>\n#include <QMainWindow>\n#include <QMessageBox>\n\n"
    "int main(int argc, char **argv)\n{\n    QApplication application(argc, argv);\n"
    "    QMainWindow mainWindow;\n${readme_code}    return 0;\n}\n")
file(WRITE "${WORK_DIR}/readme/CMakeLists.txt" "cmake_minimum_required(VERSION 3.25)\n"
    "project(ReadmeExample LANGUAGES CXX)\n"
    "find_package(VerbariaTranslator 1 REQUIRED)\n"
    "add_executable(readme_example main.cpp)\n"
    "target_link_libraries(readme_example PRIVATE Verbaria::Translator)\n")
run(${CMAKE_COMMAND} -S "${WORK_DIR}/readme" -B "${WORK_DIR}/readme/build" -G "${GENERATOR}"
    "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_BUILD_TYPE=${BUILD_TYPE}"
    "-DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix" "-DCMAKE_EXE_LINKER_FLAGS=${LINK_FLAGS}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/readme/build")

set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{ASAN_OPTIONS} detect_leaks=0)
run("${WORK_DIR}/build/verbaria_example" "${SOURCE_DIR}/examples/jazyky/english.lng" --print)
if(NOT run_output STREQUAL "Translator demo\n")
    message(FATAL_ERROR "the example did not translate its window: '${run_output}'")
endif()
# The tr() example, through TKVQtTranslator from the installed headers.
run("${WORK_DIR}/build/qt-way/verbaria_qt_way" czech --print)
if(NOT run_output MATCHES "^Výběr souborů\nPřipraveno\nLTR")
    message(FATAL_ERROR "the tr() example did not speak Czech: '${run_output}'")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
