# SPDX-FileCopyrightText: 2026 Vedira developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What `cmake --install` puts in place besides the files of resources/, and the Debian package
# `scripts/package` makes of it with CPack.
install(TARGETS vedira vedira-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vedira)
set(CPACK_PACKAGE_VENDOR "Vedira developers")
set(CPACK_PACKAGE_CONTACT "Vedira developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "serial port test terminal with Modbus CRC-16")
set(CPACK_PACKAGE_DESCRIPTION
    "Vedira opens one serial port, sends bytes typed as ASCII, decimal or hexadecimal, shows every
received byte as a character, a decimal and a hexadecimal value at once, watches the modem lines
and computes the Modbus CRC-16, an 8-bit sum and an 8-bit XOR. Its user interface is in
Traditional Chinese. vedira-sim simulates an echo or Modbus RTU device on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# Libraries come from dpkg-shlibdeps; the fonts standing in for 細明體, 新細明體 and Arial and
# Qt's Chinese texts are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-liberation2, qt6-translations-l10n")
include(CPack)
