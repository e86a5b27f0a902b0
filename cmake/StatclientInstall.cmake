# Installs both libraries, their headers (under include/statclient/, folders kept), a CMake
# package (find_package(statclient CONFIG)) and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS statclient_platform statclient EXPORT statclientTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only what an application includes: the public header trees of both libraries, as they stand.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/include/statclient/
                  ${PROJECT_SOURCE_DIR}/include/statclient/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/statclient)

set(config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/statclient)
install(EXPORT statclientTargets NAMESPACE statclient:: DESTINATION ${config_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/statclientConfig.cmake.in
  ${PROJECT_BINARY_DIR}/statclientConfig.cmake INSTALL_DESTINATION ${config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/statclientConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/statclientConfig.cmake
              ${PROJECT_BINARY_DIR}/statclientConfigVersion.cmake
        DESTINATION ${config_dir})

configure_file(${PROJECT_SOURCE_DIR}/cmake/statclient.pc.in
               ${PROJECT_BINARY_DIR}/statclient.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/statclient.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
