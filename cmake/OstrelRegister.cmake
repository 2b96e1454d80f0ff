# ostrel_register_module(<target>): after each build of the module, run ostrel-regsvr on it
# with OSTREL_REGISTRY naming this build tree's own registry, bin/build-registry.txt beside
# the programs, so that the tree's programs and tests find the freshly built file and no
# other build's registration is touched. The per-user registry is written only by
# ostrel-regsvr run by hand; an install writes its own (cmake/OstrelInstall.cmake).
# Switch off with -DOSTREL_REGISTER_ON_BUILD=OFF (packaging, CI images).

option(OSTREL_REGISTER_ON_BUILD "Register each built module into the build tree's registry" ON)

set(OSTREL_BUILD_REGISTRY ${CMAKE_BINARY_DIR}/bin/build-registry.txt)

function(ostrel_register_module target)
  if(NOT OSTREL_REGISTER_ON_BUILD)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env OSTREL_REGISTRY=${OSTREL_BUILD_REGISTRY}
            $<TARGET_FILE:ostrel-regsvr> $<TARGET_FILE:${target}>
    COMMENT "Registering ${target} into ${OSTREL_BUILD_REGISTRY}"
    VERBATIM)
  add_dependencies(${target} ostrel-regsvr)
endfunction()
