# Debian packages through CPack: "verbaria" (editor, tool, languages, desktop files) and
# "libverbaria-translator-dev" (the runtime translator's static libraries, headers and CMake
# package). scripts/package.sh builds them as a distribution would and checks them with lintian;
# by hand: cpack --config build-pkg/CPackConfig.cmake -G DEB on a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr.
set(CPACK_PACKAGE_NAME verbaria)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "The Verbaria developers <${VERBARIA_MAKER_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VERBARIA_MAKER_WEB}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_COMPONENTS_ALL Editor VerbariaTranslator)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# Both packages come from the one source; its changelog is theirs.
set(CPACK_DEBIAN_PACKAGE_SOURCE verbaria)
# Executables without their symbols (a package user has no use for them; the build tree keeps
# them for debugging).
set(CPACK_STRIP_FILES ON)
# Each package's synopsis is the first line of its own description (cmake/PackagingAtCpackTime.cmake).
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/PackagingAtCpackTime.cmake")

set(CPACK_COMPONENT_EDITOR_DISPLAY_NAME "Verbaria editor")
set(CPACK_COMPONENT_EDITOR_DESCRIPTION
    "Editor of translations of program user interfaces, with verbaria-tool")
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME verbaria)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_EDITOR_DESCRIPTION [[editor for translations of program user interfaces
Verbaria makes foreign-language versions of other programs' user interfaces.
A program lists its translatable texts in a template (.lnd); the translator
opens it in the editor, types the texts of the new language beside the
originals in a two-column grid and saves a language file (.lng), which the
program reads through Verbaria's runtime translator.

The editor finds and replaces text, completes rows with the same original,
checks every translation as it is typed, suggests translations from the
other language files at hand, checks the spelling with Hunspell, and keeps
a catalogue of the programs it translates.

verbaria-tool, the command-line companion, exports a translation to a table,
XLIFF or PO and imports it back, looks texts up, scans Qt Designer forms and
sources into a template and previews a translation on real forms.]])
# dpkg-shlibdeps finds the Qt, Hunspell and C++ libraries the executables link; Qt's platform
# plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_EDITOR_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Spell checking needs a dictionary of the translation's language; any hunspell-* provides one.
set(CPACK_DEBIAN_EDITOR_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, hicolor-icon-theme, hunspell-en-us | hunspell-dictionary")

set(CPACK_COMPONENT_VERBARIATRANSLATOR_DISPLAY_NAME "Verbaria runtime translator")
set(CPACK_COMPONENT_VERBARIATRANSLATOR_DESCRIPTION
    "TKVTranslator for Qt programs: static libraries, headers and find_package(VerbariaTranslator)")
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_NAME libverbaria-translator-dev)
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_VERBARIATRANSLATOR_DESCRIPTION [[runtime translator of Qt programs' user interfaces (development files)
TKVTranslator puts a language into a running Qt program: it reads the
program's Verbaria template (.lnd) and a language file (.lng), writes each
translated caption, hint and list into the live widgets, and answers the
program's look-ups of message texts.

This package holds the static libraries, the headers and the CMake package:
find_package(VerbariaTranslator) and link Verbaria::Translator. The library
is under the MIT licence alone.]])
# Static libraries: what a program needs to link them is Qt's development package.
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_ARCHITECTURE amd64)

# What every Debian package holds beside its files: the copyright (machine-readable, naming the
# licence of everything shipped), the changelog (compressed, gzip -9n) and what lintian is told
# to accept, each with its reason.
find_program(GZIP gzip REQUIRED)
set(package_docs "${PROJECT_BINARY_DIR}/packaging")
file(MAKE_DIRECTORY "${package_docs}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog" "${package_docs}/changelog" COPYONLY)
execute_process(COMMAND ${GZIP} -9nkf changelog WORKING_DIRECTORY "${package_docs}" COMMAND_ERROR_IS_FATAL ANY)
foreach(pair Editor:verbaria VerbariaTranslator:libverbaria-translator-dev)
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 component)
    list(GET pair 1 package)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" "${package_docs}/changelog.gz"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
    if(EXISTS "${PROJECT_SOURCE_DIR}/packaging/${package}.lintian-overrides")
        install(FILES "${PROJECT_SOURCE_DIR}/packaging/${package}.lintian-overrides"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package} COMPONENT ${component})
    endif()
endforeach()

# A stripped install (CPACK_STRIP_FILES, cmake --install --strip) loses the symbols through
# CMake's strip; the compilers' .comment and .note sections go too, as Debian's dh_strip takes
# them out. Runs after the targets' own install rules (this file comes after every room).
function(verbaria_strip_notes component)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(file ${ARGN})
                execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                    --enable-deterministic-archives \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${file}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()" COMPONENT ${component})
endfunction()
verbaria_strip_notes(Editor "${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:verbaria>"
    "${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:verbaria-tool>")
verbaria_strip_notes(VerbariaTranslator "${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:verbaria_formats>"
    "${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:verbaria_codepage>"
    "${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:verbaria_translator_core>"
    "${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:verbaria_translator>")

# The changelog's newest entry is the project's version, as the AppStream list's is
# (desktop/CMakeLists.txt): a new version without its entry stops here.
file(STRINGS "${PROJECT_SOURCE_DIR}/packaging/changelog" newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^verbaria \\(([^)]*)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog: the newest entry is '${CMAKE_MATCH_1}', the project's "
        "version is ${PROJECT_VERSION}: the newest entry must be this one.")
endif()

include(CPack)
