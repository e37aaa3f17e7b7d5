# Debian packages through CPack: "verbaria" (editor, tool, languages, desktop files) and
# "libverbaria-translator-dev" (the runtime translator's static libraries, headers and CMake
# package). Build with: cpack --config build/CPackConfig.cmake -G DEB
set(CPACK_PACKAGE_NAME verbaria)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "${VERBARIA_MAKER_EMAIL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${VERBARIA_MAKER_WEB}")
set(CPACK_COMPONENTS_ALL Editor VerbariaTranslator)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)

set(CPACK_COMPONENT_EDITOR_DISPLAY_NAME "Verbaria editor")
set(CPACK_COMPONENT_EDITOR_DESCRIPTION
    "Editor of translations of program user interfaces, with verbaria-tool")
set(CPACK_DEBIAN_EDITOR_PACKAGE_NAME verbaria)
set(CPACK_DEBIAN_EDITOR_PACKAGE_SECTION editors)
# dpkg-shlibdeps finds the Qt and C++ libraries the executables link.
set(CPACK_DEBIAN_EDITOR_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_EDITOR_PACKAGE_DEPENDS "qt6-qpa-plugins, libhunspell-1.7-0")
# Spell checking needs a dictionary of the translation's language; any hunspell-* provides one.
set(CPACK_DEBIAN_EDITOR_PACKAGE_RECOMMENDS
    "shared-mime-info, desktop-file-utils, hicolor-icon-theme, hunspell-en-us | hunspell-dictionary")

set(CPACK_COMPONENT_VERBARIATRANSLATOR_DISPLAY_NAME "Verbaria runtime translator")
set(CPACK_COMPONENT_VERBARIATRANSLATOR_DESCRIPTION
    "TKVTranslator for Qt programs: static libraries, headers and find_package(VerbariaTranslator)")
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_NAME libverbaria-translator-dev)
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_SECTION libdevel)
# Static libraries: what a program needs to link them is Qt's development package.
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4)")
set(CPACK_DEBIAN_VERBARIATRANSLATOR_PACKAGE_ARCHITECTURE amd64)

include(CPack)
