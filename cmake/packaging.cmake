# The packages CPack makes: on Linux the Debian packages veldra and
# libveldra-dev, one for each install component (cmake/install-rules.cmake);
# on Windows the zip of the program's folder.

set(CPACK_PACKAGE_NAME veldra)
set(CPACK_PACKAGE_VENDOR "VELDRA developers")
set(CPACK_PACKAGE_CONTACT "VELDRA developers <veldra@example.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# Each package has its own synopsis, the first line of its description below.
# CPack would put the project's one in front of both unless the summary is
# CPack's own default, which it leaves out.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_COMPONENTS_ALL program dev)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME veldra)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "interactive calculator for the deflection of straight beams
VELDRA computes the elastic deflection of straight beams after linear beam
theory for thirteen standard load cases: beams on two supports under a point
force, an end moment, a uniform or a triangular line load; cantilevers; and
beams with an overhang. It prints the deflection at the case's characteristic
point, the largest deflection and where it lies, the slopes at the supports
and the deflection line at a chosen coordinate.
.
The dialogue is in German and driven by single keys; it reads a terminal,
a pipe or a file alike, so that sessions can be scripted.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libveldra-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "C++ library of the deflection of straight beams (development files)
The thirteen standard load cases of linear beam theory as pure C++20
functions with named results: beams on two supports, cantilevers and beams
with an overhang, under point forces, end moments and line loads. It has no
console and no I/O; a report function gives the lines exactly as the veldra
calculator prints them.
.
This package contains the headers, the static library and the CMake package
configuration (find_package(veldra), target veldra::beam).")
# The Windows download: the program's folder as a zip.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "veldra-${PROJECT_VERSION}-windows-x86_64")
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL program)
  # Unpacked, it is one folder of that name.
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
