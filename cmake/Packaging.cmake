# The Debian package: `cpack -G DEB` (or plain `cpack`) in a configured and
# built build folder writes korvex_<version>_<arch>.deb there. It installs the
# programs to /usr/bin, the helper they start for large prime counts to
# /usr/libexec/korvex and the shipped data, read-only, to
# /usr/share/korvex/bin; each user's settings live in ~/.local/share/korvex.

set(KORVEX_PACKAGE_MAINTAINER "Korvex developers <bugs@korvex.example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvex)
set(CPACK_PACKAGE_VENDOR "Korvex developers")
set(CPACK_PACKAGE_CONTACT "${KORVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scientific calculator with solution steps and plots")
# Kept under 80 columns a line: the package tools show it as it stands.
set(CPACK_PACKAGE_DESCRIPTION
    "Korvex solves expressions such as 2(1+x), gcd[12;18] or mean[1;2;3] in
80-bit extended precision and shows every rewrite as a numbered solution
step. Answers go through a format mask or are shown as bit patterns in base
16, 8, 4 or 2. User variables, browsable catalogues of functions and
constants, and plots of expressions or of their numerical derivative are
included.

The package holds the desktop program korvex and korvex-cli, the same
calculator for scripts and terminals.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvex.example.org")
# The library dependencies come from the binaries themselves (dpkg-shlibdeps,
# from dpkg-dev), so they follow whatever the build linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A RelWithDebInfo build packs as small as a Release one.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

# Every Debian package carries its copyright and a changelog in
# /usr/share/doc/<package>; the changelog entry follows the project version.
# SOURCE_DATE_EPOCH, when set, fixes its date for reproducible packages.
set(KORVEX_DOC_INSTALL_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_PACKAGE_NAME})
string(TIMESTAMP KORVEX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in
               ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
execute_process(
  COMMAND gzip -9 --no-name --stdout ${CMAKE_BINARY_DIR}/packaging/changelog
  OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
              ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${KORVEX_DOC_INSTALL_DIR})

include(CPack)
