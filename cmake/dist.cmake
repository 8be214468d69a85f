# Target dist: every download, built from this tree and two more inside it
# (the page with emscripten, veldra.exe with MinGW-w64), into one folder:
#
#   veldra_<version>_amd64.deb, libveldra-dev_<version>_amd64.deb
#   veldra-<version>-windows-x86_64.zip
#   veldra.html
#   SHA256SUMS
#
# The same sources give the same bytes: every time stamp is the release date
# (SOURCE_DATE_EPOCH), archives list their files sorted, and no build path is
# compiled in (VELDRA_REPRODUCIBLE).

set(VELDRA_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where target dist puts the downloads")

# The release date as seconds since 1970 (days from the civil calendar).
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${VELDRA_RELEASE_DATE}")
set(y ${CMAKE_MATCH_1})
math(EXPR m "${CMAKE_MATCH_2}")
math(EXPR d "${CMAKE_MATCH_3}")
if(m LESS_EQUAL 2)
  math(EXPR y "${y} - 1")
endif()
math(EXPR era "${y} / 400")
math(EXPR yoe "${y} - ${era} * 400")
math(EXPR mp "(${m} + 9) % 12")
math(EXPR doy "(153 * ${mp} + 2) / 5 + ${d} - 1")
math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
math(EXPR veldra_release_epoch "(${era} * 146097 + ${doe} - 719468) * 86400")

add_custom_target(dist
  COMMAND ${CMAKE_COMMAND}
    -DSOURCE=${CMAKE_SOURCE_DIR} -DBINARY=${CMAKE_BINARY_DIR} -DOUT=${VELDRA_DIST_DIR}
    -DVERSION=${PROJECT_VERSION} -DEPOCH=${veldra_release_epoch}
    -P ${CMAKE_SOURCE_DIR}/cmake/dist_steps.cmake
  DEPENDS veldra veldra_beam veldra_gzipped
  USES_TERMINAL VERBATIM
  COMMENT "Every download into ${VELDRA_DIST_DIR}")
