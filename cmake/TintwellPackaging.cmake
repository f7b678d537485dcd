# Install rules, laid out as a Debian system expects, and the Debian package
# (scripts/package runs CPack's DEB generator over them).
#
#   bin/tintwell, bin/tintwell-cli
#   share/tintwell/         catalogues, the model table "meterno", template.xlsx
#   lib/udev/rules.d/       the rule that lets the logged-in user open the instrument
#   share/applications/     the desktop entry
#   share/icons/hicolor/    the icon, scalable and 256 px
#   share/man/man1/, share/doc/tintwell/   manual pages, copyright, changelog, the JSON schema
#   share/bash-completion/completions/    tintwell-cli's completion
#
# The program finds its data beside itself or in ../share/tintwell, so the
# build tree (bin/) and an installed copy both work.
include(GNUInstallDirs)

set(TINTWELL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TINTWELL_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tintwell)
set(TINTWELL_MAINTAINER "Tintwell developers <tintwell@example.org>")
set(TINTWELL_DEB_RELEASE 1)

install(TARGETS tintwell tintwell-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TINTWELL_BIN_DIR}/Tintwell_en.qm ${TINTWELL_BIN_DIR}/Tintwell_zh.qm
              ${TINTWELL_BIN_DIR}/meterno
        DESTINATION ${TINTWELL_INSTALL_DATA_DIR})
# The spreadsheet template is written at build time where the excel library
# provides it.
if(TARGET tintwell_template)
  install(FILES ${TINTWELL_BIN_DIR}/template.xlsx DESTINATION ${TINTWELL_INSTALL_DATA_DIR})
endif()

install(FILES ${CMAKE_SOURCE_DIR}/src/resources/udev/70-tintwell.rules
        DESTINATION lib/udev/rules.d)
install(FILES ${TINTWELL_PACKAGING_DIR}/tintwell.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/src/resources/icons/tintwell.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/src/resources/icons/tintwell-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME tintwell.png)

# Manual page and Debian changelog, compressed as Debian wants them
# (gzip -n: no name or time stamp, so the package is reproducible).
set(TINTWELL_GENERATED_DOCS ${CMAKE_BINARY_DIR}/packaging)
set(VERSION ${PROJECT_VERSION})
set(DEB_VERSION ${PROJECT_VERSION}-${TINTWELL_DEB_RELEASE})
set(MAINTAINER ${TINTWELL_MAINTAINER})
configure_file(${TINTWELL_PACKAGING_DIR}/tintwell.1 ${TINTWELL_GENERATED_DOCS}/tintwell.1 @ONLY)
configure_file(${TINTWELL_PACKAGING_DIR}/tintwell-cli.1 ${TINTWELL_GENERATED_DOCS}/tintwell-cli.1 @ONLY)
configure_file(${TINTWELL_PACKAGING_DIR}/changelog.in ${TINTWELL_GENERATED_DOCS}/changelog.Debian @ONLY)
foreach(doc tintwell.1 tintwell-cli.1 changelog.Debian)
  add_custom_command(OUTPUT ${TINTWELL_GENERATED_DOCS}/${doc}.gz
    COMMAND gzip -9nf -k ${TINTWELL_GENERATED_DOCS}/${doc}
    DEPENDS ${TINTWELL_GENERATED_DOCS}/${doc}
    COMMENT "Compressing ${doc}")
  list(APPEND TINTWELL_COMPRESSED_DOCS ${TINTWELL_GENERATED_DOCS}/${doc}.gz)
endforeach()
add_custom_target(tintwell_docs ALL DEPENDS ${TINTWELL_COMPRESSED_DOCS})
install(FILES ${TINTWELL_GENERATED_DOCS}/tintwell.1.gz ${TINTWELL_GENERATED_DOCS}/tintwell-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TINTWELL_PACKAGING_DIR}/tintwell-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tintwell-cli)
install(FILES ${CMAKE_SOURCE_DIR}/docs/tintwell-cli.schema.json DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintwell)
install(FILES ${TINTWELL_GENERATED_DOCS}/changelog.Debian.gz ${TINTWELL_PACKAGING_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tintwell)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintwell)
set(CPACK_PACKAGE_VENDOR "Tintwell developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TINTWELL_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "measure haze and colour with a USB haze meter or colorimeter")
# Lines of at most 80 characters: CPack does not wrap them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tintwell is the desktop companion of the TX310, TX420, TX430, TX450, TX460\n"
  "and TX470 handheld haze meters and colorimeters. Plug the instrument in and\n"
  "Tintwell finds it: measure a standard and samples, see haze, transmittance\n"
  "or colour side by side with the differences, the colour difference and a\n"
  "PASS/NG verdict, change the instrument's tolerances, import the records\n"
  "stored in it, export them to spreadsheets and print test reports.\n"
  "tintwell-cli does the same from scripts, with PASS/NG as its exit status.\n"
  "\n"
  "The interface is in English and Chinese. The package lets the logged-in\n"
  "user open the instrument without administrator rights.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TINTWELL_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TINTWELL_MAINTAINER})
# Libraries from dpkg-shlibdeps; besides them the Chinese font, Qt's own
# Chinese catalogue (a data file), the SQLite driver Qt loads as a plug-in, libpq, libzip, hidapi and libudev, opened at
# their first use (no program links them, so shlibdeps cannot see them).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-translations-l10n, libqt6sql6-sqlite, libpq5, libzip4, libhidapi-hidraw0, libudev1")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${TINTWELL_PACKAGING_DIR}/postinst ${TINTWELL_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
