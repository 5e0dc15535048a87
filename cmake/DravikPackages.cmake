# Debian packages: `cpack -G DEB` in a build folder configured with CMAKE_INSTALL_PREFIX=/usr
# writes packages/*.deb (scripts/check-packages.sh makes, installs and tries them):
#   libdravik<major>  the shared libraries
#   libdravik-dev     headers, link names (and archives of a static build), the CMake package
#                     and the pkg-config files
#   dravik-player     the player, its example scenes with touch scripts and textures, its man page
# Dependencies on Debian's libraries come from dpkg-shlibdeps; the -dev package states the
# development packages that its CMake package and .pc files look for.
set(CPACK_PACKAGE_NAME dravik)
set(CPACK_PACKAGE_VENDOR "Dravik Strategies")
set(CPACK_PACKAGE_CONTACT "Dravik Strategies developers <dravik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Touch behaviours for multi-user tabletops and wall displays")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_OUTPUT_FILE_PREFIX packages)
set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The player's own libraries are not installed while it is packaged: found in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/input)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libdravik-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "freeglut3-dev, libglu1-mesa-dev, libdevil-dev, liblo-dev, pkg-config")
set(CPACK_COMPONENT_DEV_DESCRIPTION "Development files of the Dravik strategies and their framework layer")
set(CPACK_DEBIAN_PLAYER_PACKAGE_NAME dravik-player)
set(CPACK_DEBIAN_PLAYER_PACKAGE_SECTION graphics)
set(CPACK_COMPONENT_PLAYER_DESCRIPTION "Plays scenes of Dravik strategies from XML files, with example scenes")
set(CPACK_COMPONENTS_ALL dev player)
if(BUILD_SHARED_LIBS)
  list(APPEND CPACK_COMPONENTS_ALL runtime)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libdravik${PROJECT_VERSION_MAJOR})
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
  set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "Shared libraries of the Dravik strategies, their framework layer and touch input")
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_COMPONENT_DEV_DEPENDS runtime)
  set(CPACK_COMPONENT_PLAYER_DEPENDS runtime)
endif()
include(CPack)
