# Install rules, the CMake package (find_package(DravikStrategies CONFIG)) and pkg-config.
# Dravik::Input installs itself into the same export set (input/CMakeLists.txt).
include(CMakePackageConfigHelpers)

install(TARGETS DravikFramework DravikStrategies EXPORT DravikStrategiesTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${DRAVIK_FRAMEWORK_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/framework)
foreach(header IN LISTS DRAVIK_STRATEGIES_HEADERS)
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
  get_filename_component(folder ${relative} DIRECTORY)
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik/${folder})
endforeach()
install(FILES include/dravik/DravikFrameworkLayer.h ${PROJECT_BINARY_DIR}/include/dravik/DravikStrategies.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dravik)

set(DRAVIK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/DravikStrategies)
install(EXPORT DravikStrategiesTargets NAMESPACE Dravik:: DESTINATION ${DRAVIK_CMAKE_DIR})
configure_package_config_file(cmake/DravikStrategiesConfig.cmake.in
  ${PROJECT_BINARY_DIR}/DravikStrategiesConfig.cmake INSTALL_DESTINATION ${DRAVIK_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DravikStrategiesConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/DravikStrategiesConfig.cmake
  ${PROJECT_BINARY_DIR}/DravikStrategiesConfigVersion.cmake DESTINATION ${DRAVIK_CMAKE_DIR})

# Relocatable: the prefix is found from the .pc file's own place.
file(RELATIVE_PATH DRAVIK_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/dravik-strategies.pc.in ${PROJECT_BINARY_DIR}/dravik-strategies.pc @ONLY)
configure_file(cmake/dravik-input.pc.in ${PROJECT_BINARY_DIR}/dravik-input.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dravik-strategies.pc ${PROJECT_BINARY_DIR}/dravik-input.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
