# tavelo_add_layer(<layer> SOURCES <files...> [LINKS <targets...>])
# Creates the static library tavelo_<layer> from the folder's sources; LINKS
# names the layers below it (and outside libraries) it builds on.
function(tavelo_add_layer layer)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(tavelo_${layer} STATIC ${ARG_SOURCES})
  target_include_directories(tavelo_${layer} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tavelo_${layer} PUBLIC ${ARG_LINKS})
endfunction()
