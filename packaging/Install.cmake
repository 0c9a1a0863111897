# The installed tree and the Debian package.
#
#   bin/vesk
#   share/vesk/                  the shipped data and help pages, vesk-data.lst
#   share/applications/          org.vesk.Vesk.desktop (menu entry)
#   share/icons/hicolor/*/apps/  vesk.svg and vesk.png in the theme's sizes
#   share/metainfo/              org.vesk.Vesk.metainfo.xml (AppStream)
#   share/man/man1/              vesk.1.gz
#   share/doc/vesk/              copyright, changelog.gz (Debian's places)
#
# The program finds share/vesk relative to itself (ProgramFolder), so the
# prefix may be anything; logs and settings go to the per-user folder.
include(GNUInstallDirs)

# The changelog's newest entry and the AppStream file's newest release name
# the version the program prints; a new version is entered in both.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog VESK_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT VESK_CHANGELOG_TOP MATCHES "^vesk \\(${VESK_VERSION_TEXT}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry '${VESK_CHANGELOG_TOP}' is not version ${VESK_VERSION_TEXT}")
endif()
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/org.vesk.Vesk.metainfo.xml VESK_METAINFO_RELEASE REGEX "<release " LIMIT_COUNT 1)
if(NOT VESK_METAINFO_RELEASE MATCHES "version=\"${VESK_VERSION_TEXT}\"")
  message(FATAL_ERROR "packaging/org.vesk.Vesk.metainfo.xml: the newest release '${VESK_METAINFO_RELEASE}' is not version ${VESK_VERSION_TEXT}")
endif()

set(VESK_FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(VESK_DIR_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${VESK_DIR_PERMISSIONS})

install(TARGETS vesk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vesk
        FILE_PERMISSIONS ${VESK_FILE_PERMISSIONS} DIRECTORY_PERMISSIONS ${VESK_DIR_PERMISSIONS})
install(FILES ${CMAKE_BINARY_DIR}/vesk-data.lst DESTINATION ${CMAKE_INSTALL_DATADIR}/vesk
        PERMISSIONS ${VESK_FILE_PERMISSIONS})

install(FILES ${CMAKE_SOURCE_DIR}/packaging/vesk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME org.vesk.Vesk.desktop PERMISSIONS ${VESK_FILE_PERMISSIONS})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/org.vesk.Vesk.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        PERMISSIONS ${VESK_FILE_PERMISSIONS})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vesk.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        PERMISSIONS ${VESK_FILE_PERMISSIONS})
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/${size}x${size}/vesk.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          PERMISSIONS ${VESK_FILE_PERMISSIONS})
endforeach()

# Debian wants the man page and the changelog compressed, without a time stamp
# in the gzip header so that two builds give the same package.
find_program(VESK_GZIP gzip REQUIRED)
set(VESK_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${VESK_PACKAGING_OUT}/vesk.1.gz ${VESK_PACKAGING_OUT}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VESK_PACKAGING_OUT}
  COMMAND ${VESK_GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/vesk.1 > ${VESK_PACKAGING_OUT}/vesk.1.gz
  COMMAND ${VESK_GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${VESK_PACKAGING_OUT}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/vesk.1 ${CMAKE_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the man page and the changelog")
add_custom_target(vesk_docs ALL DEPENDS ${VESK_PACKAGING_OUT}/vesk.1.gz ${VESK_PACKAGING_OUT}/changelog.gz)
install(FILES ${VESK_PACKAGING_OUT}/vesk.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        PERMISSIONS ${VESK_FILE_PERMISSIONS})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${VESK_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vesk PERMISSIONS ${VESK_FILE_PERMISSIONS})

# cpack -G DEB: one binary package "vesk". The version is the program's own
# ("0.8d" sorts after 0.8 and before 0.9 and 0.8.1 for dpkg, as the releases
# follow each other); it is a native package, so there is no Debian revision.
set(CPACK_PACKAGE_NAME vesk)
set(CPACK_PACKAGE_VENDOR "Vesk developers")
set(CPACK_PACKAGE_VERSION ${VESK_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logbook for radio amateurs")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${VESK_DIR_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vesk developers <vesk@vesk.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages come from the binary (dpkg-shlibdeps); Qt's own
# dialogs in German and Hamlib's rigctld for the rig link are optional.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libhamlib-utils")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vesk logs amateur radio contacts (QSOs) typed into a keyboard-driven entry
mask; every log is a plain semicolon-separated text file. Around the log it
offers a duplicate check, DXCC and DOK lookups, QSL card bookkeeping,
evaluations of locator squares, DXCC and contests, ADIF, HTML and text
import and export, Morse output, a rig link through Hamlib's rigctld, a
callbook and a propagation prediction.
The interface is German, with an English language file. Batch commands
(vesk --help) work on logs without a window.")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
