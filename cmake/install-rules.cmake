# What cmake --install puts where, in two components, as Debian splits a
# program and its library: "program" (the calculator, its man pages, the
# README and the one-file page) and "dev" (the beam library's headers, the
# static library, its CMake package and pkg-config file).

configure_file(man/veldra.1.in veldra.1 @ONLY)
configure_file(man/de/veldra.1.in de/veldra.1 @ONLY)

if(WIN32)
  # The Windows download is one folder: the program, the page, a short German
  # guide and the licence side by side.
  install(TARGETS veldra RUNTIME DESTINATION . COMPONENT program)
  configure_file(packaging/LIESMICH.txt.in LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/LIESMICH.txt ${PROJECT_SOURCE_DIR}/LICENSE
    DESTINATION . COMPONENT program)
  set(veldra_page_dir .)
else()
  install(TARGETS veldra RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
  set(veldra_page_dir ${CMAKE_INSTALL_DATAROOTDIR}/veldra)
endif()
if(VELDRA_HTML)
  # The page and, beside it, the user's guide that its "Hilfe" opens.
  get_filename_component(veldra_html_dir ${VELDRA_HTML} DIRECTORY)
  install(FILES ${VELDRA_HTML} ${veldra_html_dir}/anleitung.html
    DESTINATION ${veldra_page_dir} COMPONENT program)
  if(UNIX)
    # lintian would take the page for documentation outside /usr/share/doc.
    install(FILES packaging/lintian-overrides RENAME veldra
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides COMPONENT program)
  endif()
endif()

# The libraries and their public headers (src/beam's and src/sections' file
# sets), under include/veldra so that consumers write <beam/cases.h> and
# <sections/sections.h>.
set(veldra_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/veldra)
install(TARGETS veldra_beam veldra_sections EXPORT veldraTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/veldra COMPONENT dev)
install(EXPORT veldraTargets NAMESPACE veldra:: DESTINATION ${veldra_cmake_dir} COMPONENT dev)
include(CMakePackageConfigHelpers)
configure_package_config_file(cmake/veldraConfig.cmake.in veldraConfig.cmake
  INSTALL_DESTINATION ${veldra_cmake_dir})
write_basic_package_version_file(veldraConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/veldraConfig.cmake ${PROJECT_BINARY_DIR}/veldraConfigVersion.cmake
  DESTINATION ${veldra_cmake_dir} COMPONENT dev)

# pkg-config, for a Makefile of one's own: relocatable, so that the same file
# serves an install under any prefix and the Debian package.
file(RELATIVE_PATH veldra_pc_prefix "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(cmake/veldra.pc.in veldra.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/veldra.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

if(UNIX)
  # The man pages and the changelog gzipped as Debian wants them: best
  # compression, no name or time stamp, so that every build gives the same bytes.
  set(veldra_gzipped)
  foreach(pair IN ITEMS "${PROJECT_BINARY_DIR}/veldra.1|veldra.1.gz"
                        "${PROJECT_BINARY_DIR}/de/veldra.1|de/veldra.1.gz"
                        "${PROJECT_SOURCE_DIR}/README.md|README.md.gz"
                        "${PROJECT_SOURCE_DIR}/docs/anleitung.md|anleitung.md.gz"
                        "${PROJECT_SOURCE_DIR}/packaging/changelog|changelog.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 from)
    list(GET pair 1 to)
    add_custom_command(OUTPUT ${to}
      COMMAND sh -c "gzip -9n -c '${from}' > '${to}'"
      DEPENDS ${from} VERBATIM)
    list(APPEND veldra_gzipped ${PROJECT_BINARY_DIR}/${to})
  endforeach()
  add_custom_target(veldra_gzipped ALL DEPENDS ${veldra_gzipped})

  install(FILES ${PROJECT_BINARY_DIR}/veldra.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
  install(FILES ${PROJECT_BINARY_DIR}/de/veldra.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/de/man1 COMPONENT program)
  install(FILES ${PROJECT_BINARY_DIR}/README.md.gz ${PROJECT_BINARY_DIR}/anleitung.md.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veldra COMPONENT program)
  # The guide's pictures, where its text finds them.
  install(DIRECTORY docs/faelle DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/veldra
    COMPONENT program)
  foreach(component_package IN ITEMS "program|veldra" "dev|libveldra-dev")
    string(REPLACE "|" ";" component_package "${component_package}")
    list(GET component_package 0 component)
    list(GET component_package 1 package)
    install(FILES packaging/copyright ${PROJECT_BINARY_DIR}/changelog.gz
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
  endforeach()
endif()
