# examples/beam_consumer built against the beam library installed in PREFIX,
# the way WAY says (cmake: its CMake package; pkg-config: its Makefile),
# in WORK, and run: it prints what the library computes.
#   cmake -DWAY=cmake|pkg-config -DPREFIX= -DSOURCE= -DWORK= [-DLIBDIR=] [-DCXX=] [-DFLAGS=]
#     -P consumer.cmake
# CXX and FLAGS: the compiler and the flags to build with, as the library was.
set(example ${SOURCE}/examples/beam_consumer)
set(flags "-Wall -Wextra -Werror ${FLAGS}")
set(work ${WORK}/consumer-${WAY})
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

if(WAY STREQUAL "cmake")
  set(compiler)
  if(CXX)
    set(compiler -DCMAKE_CXX_COMPILER=${CXX})
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${example} -B ${work} -DCMAKE_PREFIX_PATH=${PREFIX}
    ${compiler} "-DCMAKE_CXX_FLAGS=${flags}" OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${work} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
else()
  find_program(MAKE NAMES make gmake)
  find_program(PKG_CONFIG pkg-config)
  if(NOT MAKE OR NOT PKG_CONFIG)
    message(FATAL_ERROR "make or pkg-config is not installed: the Makefile is not checked")
  endif()
  # The prefix's own pkg-config file; without LIBDIR, the system's (/usr).
  if(LIBDIR)
    set(ENV{PKG_CONFIG_PATH} ${PREFIX}/${LIBDIR}/pkgconfig)
  endif()
  set(compiler)
  if(CXX)
    set(compiler CXX=${CXX})
  endif()
  execute_process(COMMAND ${MAKE} -s -C ${work} -f ${example}/Makefile VPATH=${example}
    ${compiler} "CXXFLAGS=${flags}" COMMAND_ERROR_IS_FATAL ANY)
endif()

execute_process(COMMAND ${work}/beam_consumer OUTPUT_VARIABLE printed COMMAND_ERROR_IS_FATAL ANY)
foreach(expected IN ITEMS
    "\nforce off centre: fm = 0.699 mm at xm = 1859.1 mm, L/fm = 5723\n"
    "\nErgebnisse Biegefall 8\n"
    "\nlargest: 0.695 mm at 2000 mm\n")
  string(FIND "\n${printed}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "beam_consumer did not print ${expected}; it printed:\n${printed}")
  endif()
endforeach()
