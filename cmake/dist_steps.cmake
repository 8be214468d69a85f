# The steps of target dist (cmake/dist.cmake), run as a script:
#   cmake -DSOURCE= -DBINARY= -DOUT= -DVERSION= -DEPOCH= -P dist_steps.cmake

set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
# Debian's emscripten finds its Node.js modules there (as the web preset says;
# a build outside the preset does not get its environment).
if(NOT DEFINED ENV{NODE_PATH})
  set(ENV{NODE_PATH} /usr/share/nodejs)
endif()

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SOURCE} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The page in one file.
run(${CMAKE_COMMAND} --preset web -B ${BINARY}/web -DVELDRA_REPRODUCIBLE=ON)
run(${CMAKE_COMMAND} --build ${BINARY}/web)

# veldra.exe and its zip, with the page beside it.
run(${CMAKE_COMMAND} --preset windows-cross -B ${BINARY}/windows -DVELDRA_REPRODUCIBLE=ON
  -DVELDRA_HTML=${BINARY}/web/veldra.html)
run(${CMAKE_COMMAND} --build ${BINARY}/windows)
file(REMOVE_RECURSE ${BINARY}/windows/packages)
run(${CMAKE_CPACK_COMMAND} -G ZIP --config ${BINARY}/windows/CPackConfig.cmake -B ${BINARY}/windows/packages)

# The Debian packages of this tree, which the target has built.
file(REMOVE_RECURSE ${BINARY}/packages)
run(${CMAKE_CPACK_COMMAND} -G DEB --config ${BINARY}/CPackConfig.cmake -B ${BINARY}/packages)

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
set(artifacts
  ${BINARY}/packages/veldra_${VERSION}_amd64.deb
  ${BINARY}/packages/libveldra-dev_${VERSION}_amd64.deb
  ${BINARY}/windows/packages/veldra-${VERSION}-windows-x86_64.zip
  ${BINARY}/web/veldra.html)
set(sums "")
foreach(artifact IN LISTS artifacts)
  get_filename_component(name ${artifact} NAME)
  file(COPY_FILE ${artifact} ${OUT}/${name})
  file(SHA256 ${artifact} sum)
  list(APPEND sums "${sum}  ${name}")
endforeach()
list(JOIN sums "\n" text)
file(WRITE ${OUT}/SHA256SUMS "${text}\n")
message(STATUS "Downloads in ${OUT}:\n${text}")
