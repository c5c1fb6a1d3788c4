# The Debian package aerolern_<version>_<arch>.deb, made by CPack's DEB generator
# (cmake --build build --target package). It holds everything cmake --install puts under the
# prefix /usr except the settings beside the program (component settings): the package has them
# as the conffile /etc/aerolern/aerolern.ini, so that a school's changed exam limits survive an
# upgrade, and the program reads them through the link /usr/lib/aerolern/aerolern.ini. It adds
# the copyright file and the changelog.

set(AEROLERN_DEB_DIR ${CMAKE_CURRENT_BINARY_DIR}/debian)
set(AEROLERN_DEB_SETTINGS /etc/aerolern/aerolern.ini)

# The settings file as conffile; it stays Windows-1252, which its plain ASCII comments allow.
install(FILES ${CMAKE_SOURCE_DIR}/data/aerolern.ini DESTINATION /etc/aerolern
  COMPONENT debian EXCLUDE_FROM_ALL)
# The link beside the program. It is absolute, as Debian wants for a link from /usr to /etc.
file(MAKE_DIRECTORY ${AEROLERN_DEB_DIR}/link)
file(CREATE_LINK ${AEROLERN_DEB_SETTINGS} ${AEROLERN_DEB_DIR}/link/aerolern.ini SYMBOLIC)
install(FILES ${AEROLERN_DEB_DIR}/link/aerolern.ini DESTINATION ${AEROLERN_INSTALL_PROGRAM_DIR}
  COMPONENT debian EXCLUDE_FROM_ALL)
file(WRITE ${AEROLERN_DEB_DIR}/conffiles "${AEROLERN_DEB_SETTINGS}\n")

# The changelog of a native package is changelog.gz; gzip -n keeps the package reproducible.
set(changelog ${AEROLERN_DEB_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${changelog}
  COMMAND gzip -9n -c ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog > ${changelog}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(aerolern_deb_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright ${changelog}
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/aerolern COMPONENT debian EXCLUDE_FROM_ALL)

# Stripping keeps the compiler's version notes in .comment, which a package need not carry;
# this runs after the programs are installed and stripped (the components go in the listed order).
find_program(AEROLERN_OBJCOPY objcopy REQUIRED)
install(CODE "foreach(program ${AEROLERN_INSTALL_PROGRAM_DIR}/aerolern ${CMAKE_INSTALL_BINDIR}/aerolern-katalog)
    execute_process(COMMAND ${AEROLERN_OBJCOPY} --remove-section=.comment
      \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${program} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()" COMPONENT debian EXCLUDE_FROM_ALL)

# The version is native (no Debian revision): the package is made by the project itself.
# debian/changelog must name the same version; the package test checks that.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME aerolern)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Talwinder Flugschule Ost")
# Staged with DESTDIR, so that the absolute /etc destination lands in the package, not on this
# machine; the prefix inside is then CPACK_INSTALL_PREFIX.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# One package of the components named here, never the settings component.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME aerolern)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
  "Talwinder Flugschule Ost <aerolern@talwinder-flugschule.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.talwinder-flugschule.example/aerolern/)
# The shared libraries give the rest of Depends; xdg-open opens the help page and web pages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${AEROLERN_DEB_DIR}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"trainer for the theory exams of German paraglider licences
Aerolern asks the questions of the written theory exams of the German
paraglider pilot licences, by licence and subject area, in four modes, and
runs mock exams graded like the real ones by the limits in
/etc/aerolern/aerolern.ini. It records every answer and schedules due
reviews. The program speaks German.
.
The package includes a demo catalogue and aerolern-katalog, the tool with
which flight schools turn their spreadsheets into question catalogues.")
include(CPack)
