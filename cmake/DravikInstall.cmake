# Install rules, the CMake package (find_package(DravikStrategies CONFIG)) and pkg-config.
# Components: "runtime" holds the shared libraries, "dev" the headers, the link-time names
# and archives, the CMake package and the .pc files (the player installs "player").
include(CMakePackageConfigHelpers)

install(TARGETS DravikFramework DravikStrategies DravikInput EXPORT DravikStrategiesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(FILES ${DRAVIK_FRAMEWORK_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/framework COMPONENT dev)
install(FILES ${DRAVIK_INPUT_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/input COMPONENT dev)
foreach(header IN LISTS DRAVIK_STRATEGIES_HEADERS)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
  get_filename_component(folder ${relative} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/${folder} COMPONENT dev)
endforeach()
install(FILES include/dravik/DravikFrameworkLayer.h ${PROJECT_BINARY_DIR}/include/dravik/DravikStrategies.h
  ${PROJECT_BINARY_DIR}/include/dravik/Version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik COMPONENT dev)

set(DRAVIK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/DravikStrategies)
install(EXPORT DravikStrategiesTargets NAMESPACE Dravik:: DESTINATION ${DRAVIK_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/DravikStrategiesConfig.cmake.in
  ${PROJECT_BINARY_DIR}/DravikStrategiesConfig.cmake INSTALL_DESTINATION ${DRAVIK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DravikStrategiesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/DravikStrategiesConfig.cmake
  ${PROJECT_BINARY_DIR}/DravikStrategiesConfigVersion.cmake DESTINATION ${DRAVIK_CMAKE_DIR} COMPONENT dev)

# pkg-config: dravik-framework, dravik-strategies and dravik-input. Relocatable: the prefix is
# found from the .pc file's own place. What a shared library needs only for itself is private;
# a static archive's needs are every program's, so that `pkg-config --libs` links either kind
# (`--static` would also ask for static builds of OpenGL and freeglut).
file(RELATIVE_PATH DRAVIK_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
function(dravik_pkg_config library description requires requires_private libs_private)
  set(libs -ldravik-${library})
  if(NOT BUILD_SHARED_LIBS)
    string(STRIP "${requires} ${requires_private}" requires)
    string(APPEND libs " ${libs_private}")
    set(requires_private "")
    set(libs_private "")
  endif()
  configure_file(cmake/dravik.pc.in ${PROJECT_BINARY_DIR}/dravik-${library}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/dravik-${library}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endfunction()
set(framework "dravik-framework = ${PROJECT_VERSION}")
dravik_pkg_config(framework "The framework layer of Dravik: components, strategies' base, events, the manager, grids and names"
  "" "" "-lpthread")
dravik_pkg_config(strategies "Touch behaviours for multi-user tabletop and wall displays, with their framework layer"
  "${framework} gl glu glut" "" "-lILU -lIL -lpthread")
dravik_pkg_config(input "Touch input for Dravik scenes: TUIO over UDP and the queue that hands touches to the frame thread"
  "${framework}" "liblo" "-lpthread")
