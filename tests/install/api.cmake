# The beam library keeps its word to the programs written against it: each
# program in api/, named by the release whose library it was written for,
# is built against the library installed in PREFIX. It must build, unless
# the installed release's major version is above that release's: a release
# that takes from the library what a program of its major version uses must
# raise the major version (CMake's SameMajorVersion, in veldraConfigVersion).
#   cmake -DPREFIX= -DSOURCE= -DWORK= -DLIBDIR= [-DCXX=] [-DFLAGS=] -P api.cmake
# A new major release adds its own program here, written against its headers.
if(NOT CXX)
  set(CXX c++)
endif()
separate_arguments(flags UNIX_COMMAND "${FLAGS}")
file(STRINGS ${PREFIX}/${LIBDIR}/cmake/veldra/veldraConfigVersion.cmake version_line
  REGEX "^set\\(PACKAGE_VERSION ")
string(REGEX MATCH "([0-9]+)\\.[0-9]+\\.[0-9]+" installed "${version_line}")
set(installed_major ${CMAKE_MATCH_1})
if(NOT installed)
  message(FATAL_ERROR "no version in ${PREFIX}/${LIBDIR}/cmake/veldra/veldraConfigVersion.cmake")
endif()

file(MAKE_DIRECTORY ${WORK})
file(GLOB programs ${SOURCE}/tests/install/api/*.cc)
foreach(program IN LISTS programs)
  get_filename_component(release ${program} NAME_WLE)
  string(REGEX MATCH "^([0-9]+)\\." _ ${release})
  set(major ${CMAKE_MATCH_1})
  execute_process(COMMAND ${CXX} -std=c++20 ${flags} -I${PREFIX}/include/veldra ${program}
      ${PREFIX}/${LIBDIR}/libveldra_beam.a -o ${WORK}/api-${release}
    RESULT_VARIABLE failed OUTPUT_VARIABLE errors ERROR_VARIABLE errors)
  if(NOT failed)
    execute_process(COMMAND ${WORK}/api-${release} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    message(STATUS "a program for ${release} builds against ${installed}")
  elseif(major LESS installed_major)
    message(STATUS "a program for ${release} no longer builds against ${installed}, a new major version")
  else()
    message(FATAL_ERROR "a program written for ${release} does not build against ${installed}, "
      "of the same major version: give back what it uses, or raise the major version.\n${errors}")
  endif()
endforeach()
