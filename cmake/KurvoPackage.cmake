# What `cmake --install` and `cpack` add beyond the targets' own install rules.

# The package configuration by which another project finds the plot widget:
# find_package(vxKurvo) and target_link_libraries(... vxKurvo::vxKurvo).
include(CMakePackageConfigHelpers)
set(kurvo_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/vxKurvo)
install(EXPORT vxKurvoTargets NAMESPACE vxKurvo:: DESTINATION ${kurvo_config_dir})
configure_package_config_file(cmake/vxKurvoConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vxKurvoConfig.cmake INSTALL_DESTINATION ${kurvo_config_dir})
# The library's soname carries only the major version, so any release of one major version
# serves a host built against another.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vxKurvoConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vxKurvoConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/vxKurvoConfigVersion.cmake
  DESTINATION ${kurvo_config_dir})

# The licence as Debian packages state it, where the package's documentation lives.
install(FILES resources/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kurvo)

# `make package`: the Debian package kurvo, whose dependencies dpkg-shlibdeps reads off the
# libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvo)
set(CPACK_PACKAGE_CONTACT "Kurvo developers <kurvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plotting program for Math scripts and measured data")
# CPack puts the summary first and indents these lines as the control file wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kurvo makes and examines 2-D plots: curves from short Math scripts and from
measured data (text tables, CSV and sound files), with zoom, Fourier
transform, dB, statistics, a peak detector and export to pictures, PDF,
tables and spreadsheets.

kurvo-render makes the same plots from the command line and from pipes. The
plot widget is a shared library, libvxKurvo, with headers and a CMake package
configuration for programs that embed it.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# cpack packs the build as it is, as `cmake --install` does; `make package` builds first. So a
# test that packs the build never starts a build of its own.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
