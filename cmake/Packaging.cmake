# cpack -G DEB in the build folder makes orbisk_<version>_<arch>.deb of what cmake --install
# installs, under /usr. dpkg-shlibdeps (package dpkg-dev) works out the library dependencies.
set(ORBISK_PACKAGE_MAINTAINER "Orbisk developers <maintainers@orbisk.org>"
    CACHE STRING "Maintainer line of the Debian package")

set(CPACK_PACKAGE_NAME orbisk)
set(CPACK_PACKAGE_VENDOR "Orbisk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draw fractal-like pictures from integer formula choices")
set(CPACK_PACKAGE_CONTACT "${ORBISK_PACKAGE_MAINTAINER}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORBISK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The long text under the summary line (CPack indents it).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orbisk draws fractal-like pictures from small sets of integer formula
choices: a galaxy, solar system, world, lab, level, effect, two functions,
three variables, category, type and size, a colour system and one of 38
shapes. Pictures grow column by column; their parameters are kept in
one-line data files that bring a picture back exactly.
.
The package holds the desktop program orbisk and the headless renderer
orbisk-render, which draws a data file into a BMP or PNG file.")

include(CPack)
