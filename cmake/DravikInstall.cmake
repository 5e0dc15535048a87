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

# Relocatable: the prefix is found from the .pc file's own place. A static build's programs
# link with `pkg-config --static`, which adds the libraries' own dependencies.
file(RELATIVE_PATH DRAVIK_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
foreach(library IN ITEMS framework strategies input)
  configure_file(cmake/dravik-${library}.pc.in ${PROJECT_BINARY_DIR}/dravik-${library}.pc @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/dravik-${library}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()
