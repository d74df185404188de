# brevant_embed_resources(<target> <file>...): compiles the files into <target> so that
# core's resource registry finds them by file name (case-insensitive) at run time. In a
# static library the linker keeps them only if the library's code calls
# LinkResources_<target>() (declare it as `void LinkResources_<target>();`).
function(brevant_embed_resources target)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(files)
  foreach(f ${ARGN})
    get_filename_component(abs ${f} ABSOLUTE)
    list(APPEND files ${abs})
  endforeach()
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNAME=${target} "-DFILES=${files}"
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
