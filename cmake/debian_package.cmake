# SPDX-License-Identifier: MIT
# The Debian package (cpack -G DEB; scripts/package.sh builds it): the programs, the picker
# library, the manuals, the completion and the desktop files, with the dependencies that
# dpkg-shlibdeps finds in the binaries.

# The programs' files only: the picker's headers and its unversioned link (component
# Development) are for building against it, and nothing outside this package does.
set(CPACK_COMPONENTS_ALL Unspecified)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_PACKAGE_NAME tallybook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The TallyBook developers")
set(CPACK_PACKAGE_CONTACT
    "TallyBook maintainers <maintainers@users.noreply.c-seed-66f02982.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "punch clock for time billed by the hour")
# The synopsis is the summary above; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TallyBook keeps one plain-text time log of In and Out punches and shows
the time worked on the last day and in the billing period (weeks or half
months), the daily totals and every raw punch. It rounds times, edits past
pairs, writes invoices, prints reports and reminds of a forgotten punch.

The package holds the desktop program tallybook and the command tally, which
works on the same log and settings from a terminal.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The picker is a shared library in the system's library folder: its shlibs file, and the
# trigger that runs ldconfig once after dpkg's run (CPack's scripts also call it directly).
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
file(WRITE ${PROJECT_BINARY_DIR}/debian/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/triggers)
set(CPACK_STRIP_FILES ON)

include(CPack)
