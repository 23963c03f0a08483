# SPDX-FileCopyrightText: 2026 Vedira developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What `cmake --install` puts in place besides the files of resources/ and doc/, and the Debian
# package `scripts/package` makes of it with CPack.
install(TARGETS vedira vedira-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# As Debian's own packaging does: the compiler's version note is of no use in an installed program.
install(CODE "
    foreach(program vedira vedira-sim)
        execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
            \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}
            COMMAND_ERROR_IS_FATAL ANY)
    endforeach()")

# The project has no mail domain of its own: .example is reserved (RFC 2606), so no stranger's
# mailbox receives what is meant for us, and it matches the web address the About box shows.
set(VEDIRA_MAINTAINER "Vedira developers <developers@vedira.example>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(VEDIRA_PACKAGE_VERSION ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})

# /usr/share/doc/vedira: the copyright file made from the SPDX headers and .reuse/dep5 on every
# build (a file's header may change without anything else doing so), and the Debian changelog.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vedira)
add_custom_target(vedira-copyright ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DOUTPUT=${PROJECT_BINARY_DIR}/copyright
            -P ${PROJECT_SOURCE_DIR}/cmake/DebianCopyright.cmake
    BYPRODUCTS ${PROJECT_BINARY_DIR}/copyright
    VERBATIM)
execute_process(COMMAND date -u -R -d "${VEDIRA_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE VEDIRA_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(cmake/changelog.Debian.in changelog.Debian @ONLY)
add_custom_command(OUTPUT changelog.Debian.gz
    COMMAND gzip -9nkf changelog.Debian
    DEPENDS ${PROJECT_BINARY_DIR}/changelog.Debian
    VERBATIM)
add_custom_target(vedira-changelog ALL DEPENDS changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
    DESTINATION ${doc_dir})
install(FILES cmake/vedira.lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME vedira)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vedira)
set(CPACK_PACKAGE_VENDOR "Vedira developers")
set(CPACK_PACKAGE_CONTACT "${VEDIRA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "serial port test terminal with Modbus CRC-16")
# One line of the extended description per line here, each under 80 columns as Debian wants.
set(CPACK_PACKAGE_DESCRIPTION "\
Vedira opens one serial port, sends bytes typed as ASCII, decimal or
hexadecimal, shows every received byte as a character, a decimal and a
hexadecimal value at once, watches the modem lines and computes the Modbus
CRC-16, an 8-bit sum and an 8-bit XOR. Its user interface is in
Traditional Chinese.

vedira-sim simulates an echo or Modbus RTU device on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# Libraries come from dpkg-shlibdeps; the fonts standing in for 細明體, 新細明體 and Arial and
# Qt's Chinese texts are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-liberation2, qt6-translations-l10n")
include(CPack)
