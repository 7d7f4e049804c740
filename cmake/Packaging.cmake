# The Debian package and the tarball of the installed tree (scripts/package).
include(GNUInstallDirs)

set(VM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/verbalomatic)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
# Debian wants its changelog and the manual pages compressed, reproducibly.
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
                   COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/debian/changelog
                           > ${PROJECT_BINARY_DIR}/debian/changelog.gz
                   DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog VERBATIM)
add_custom_target(vm_package_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${VM_DOC_DIR})
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${VM_DOC_DIR})

set(CPACK_PACKAGE_NAME verbalomatic)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Verbalomatic developers")
set(CPACK_PACKAGE_CONTACT "The Verbalomatic developers <verbalomatic@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Russian nonsense text generator")
set(CPACK_PACKAGE_DESCRIPTION
    "Verbalomatic writes nonsense for fun, in Russian: phrases drawn at\n"
    "random from a phrase base, run through switchable distortions\n"
    "(punctuation, case games, markup tags, rhymed couplets, typos, speech\n"
    "defects, Latin look-alikes, shuffled words and invented words). It is a\n"
    "small window with a tray icon, and a command-line program,\n"
    "verbalomatic-cli, for scripts and chat bots.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/verbalomatic/verbalomatic)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME verbalomatic-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
