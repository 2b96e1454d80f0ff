# The COM server module itself: libOstrelCollector.so.
add_library(OstrelCollector SHARED
  module.cpp
  ostrel_collector.cpp
  ostrel_collector_library.cpp
  ostrel_info.cpp
  registry_scripts.cpp
)
ostrel_target_defaults(OstrelCollector)
set_target_properties(OstrelCollector PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_link_libraries(OstrelCollector PRIVATE collector_engine)
# The registration tool may be defined after this folder; the dependency is resolved at
# generate time.
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/regsvr/CMakeLists.txt)
  ostrel_register_module(OstrelCollector)
endif()
