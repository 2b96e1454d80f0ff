# ostrel_register_module(<target>): after each build of the module, run ostrel-regsvr on it,
# so that the registry ($OSTREL_REGISTRY at build time, else the per-user default) names the
# freshly built file. Switch off with -DOSTREL_REGISTER_ON_BUILD=OFF (packaging, CI images).

option(OSTREL_REGISTER_ON_BUILD "Register each built module into the registry" ON)

function(ostrel_register_module target)
  if(NOT OSTREL_REGISTER_ON_BUILD)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND $<TARGET_FILE:ostrel-regsvr> $<TARGET_FILE:${target}>
    COMMENT "Registering ${target}"
    VERBATIM)
  add_dependencies(${target} ostrel-regsvr)
endfunction()
