# The Debian package: bash scripts/package.sh builds it with cpack.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME twistor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Twistor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "twisty cube puzzle of 2 to 20 layers")
set(CPACK_PACKAGE_DESCRIPTION
    "A twisty cube of N x N x N small cubes, any N from 2 to 20, drawn obliquely in one
window. Turn its layers with the mouse, turn it whole with the keyboard, scramble
it, solve it yourself, or let the computer solve it by playing back every move.
Game mode counts the cubes solved.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/twistor/twistor)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Twistor maintainers <maintainers@users.noreply.c-seed-0eb5e767.example>")
# The libraries come from dpkg-shlibdeps. The fonts are named because Qt loads
# them at run time: the game draws its text in DejaVu Sans, and the panels'
# labels and buttons in DejaVu Sans Condensed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
