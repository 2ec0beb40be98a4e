# Install rules: the library, its public headers and a package config, so another CMake project
# can use it with find_package(Quillstone) and link Quillstone::quillstone, Quillstone::scanning,
# Quillstone::labels and Quillstone::service; and the program.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QS_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quillstone)

install(TARGETS quillstone quillstone_scanning quillstone_labels quillstone_service EXPORT QuillstoneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/quillstone DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT QuillstoneTargets NAMESPACE Quillstone:: DESTINATION ${QS_CMAKE_INSTALL_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuillstoneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuillstoneConfig.cmake INSTALL_DESTINATION ${QS_CMAKE_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuillstoneConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuillstoneConfig.cmake ${PROJECT_BINARY_DIR}/QuillstoneConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/ComponentDependencies.cmake
  DESTINATION ${QS_CMAKE_INSTALL_DIR})

if(TARGET quillstone_cli)
  install(TARGETS quillstone_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
