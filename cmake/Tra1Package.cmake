# The .deb: everything the install rules put under /usr, with the dependencies that
# dpkg-shlibdeps reads from the shared libraries the programs link. No maintainer scripts: the
# desktop database, the icon cache and the MIME database are brought up to date by the triggers
# of the packages that own them.
#
#   cpack --config BUILD/CPackConfig.cmake -B BUILD/package
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tr-a1-editor")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The TR-A1 Receiver Editor developers")
set(CPACK_PACKAGE_CONTACT "The TR-A1 Receiver Editor developers <tr-a1-editor@tra1editor.github.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and remote control for the Tolvek TR-A1 AV receiver")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Connects to a Tolvek TR-A1 audio/video receiver through its RS-232C port, keeps a complete\n"
    "image of the receiver's settings, shows and edits it, keeps it in step with the receiver,\n"
    "saves it as a .tcf configuration file and prints a configuration report. Includes\n"
    "tr-a1-sim, a virtual receiver on a pseudo-terminal for trying the editor without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TRA1_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its display plugins at run time, so no shared library names them: the X11 and Wayland
# ones come with this package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
