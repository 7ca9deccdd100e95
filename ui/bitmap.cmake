# sm_bitmap_resource(TARGET NAME WIDTH HEIGHT)
# Gives TARGET a 24-bit bitmap resource NAME of WIDTH x HEIGHT pixels, drawn
# at build time with ImageMagick: a blue field with a yellow bar near its
# foot, colours a test can find again on the screen.
function(sm_bitmap_resource target name width height)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_bitmap)
  set(bmp ${dir}/${name}.bmp)
  math(EXPR bar_top "${height} * 72 / 100")
  math(EXPR bar_bottom "${height} * 85 / 100")
  math(EXPR bar_right "${width} - 21")
  add_custom_command(OUTPUT ${bmp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND convert -size ${width}x${height} xc:\#1E5AA0 -fill \#F0C020
            -draw "rectangle 20,${bar_top} ${bar_right},${bar_bottom}"
            -type TrueColor BMP3:${bmp}
    VERBATIM)
  file(WRITE ${dir}/${name}.rc "${name} BITMAP \"${bmp}\"\n")
  set_source_files_properties(${dir}/${name}.rc PROPERTIES OBJECT_DEPENDS ${bmp})
  target_sources(${target} PRIVATE ${dir}/${name}.rc)
endfunction()
