# sm_icon_resource(TARGET NAME SIZE)
# Gives TARGET an icon resource NAME of SIZE x SIZE pixels, drawn at build
# time with ImageMagick: a red square with a white disc, colours a test can
# find again on the screen.
function(sm_icon_resource target name size)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon)
  set(ico ${dir}/${name}.ico)
  math(EXPR centre "${size} / 2")
  math(EXPR radius "${size} / 4")
  add_custom_command(OUTPUT ${ico}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND convert -size ${size}x${size} xc:\#C03030 -fill white
            -draw "ellipse ${centre},${centre} ${radius},${radius} 0,360" ICO:${ico}
    VERBATIM)
  file(WRITE ${dir}/${name}.rc "${name} ICON \"${ico}\"\n")
  set_source_files_properties(${dir}/${name}.rc PROPERTIES OBJECT_DEPENDS ${ico})
  target_sources(${target} PRIVATE ${dir}/${name}.rc)
endfunction()
