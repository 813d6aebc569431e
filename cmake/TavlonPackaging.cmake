# `cpack -G DEB` in a build directory makes the Debian package of the program: component `app`
# only, installed under /usr, its library dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME tavlon)
set(CPACK_PACKAGE_VENDOR "The Tavlon developers")
set(CPACK_PACKAGE_CONTACT "The Tavlon developers <tavlon@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Tavlon knows and enforces the rules of chess (castling,
en passant, promotion, check, checkmate and stalemate) and never plays a side
itself. Players drag pieces with the mouse or type moves, take moves back and
turn the board round.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_COMPONENTS_ALL app)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds: Qt's libraries only recommend the platform plugins, and
# without one no window opens.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The engine that analysis finds by itself; the board plays without one.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS stockfish)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
