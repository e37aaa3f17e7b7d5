# Read by cpack for each generator. CPackDeb would put the one project-wide summary in front of
# each package's description; without it, the first line of each description is that package's
# own synopsis, as Debian wants one per package.
if(CPACK_GENERATOR STREQUAL "DEB")
    unset(CPACK_PACKAGE_DESCRIPTION_SUMMARY)
endif()
