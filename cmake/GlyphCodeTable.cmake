# The converter's code table, generated from font/layout.tsv so that the
# font and the converter read one table. Sets `header` in the caller to the
# generated file; its folder goes on the include path.
function(dabiro_glyph_code_table header)
  get_filename_component(root ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.. ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/generated/GlyphCodeTable.inc)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/generated
    COMMAND /usr/bin/python3 ${root}/font/code_table.py ${out}
    DEPENDS ${root}/font/code_table.py ${root}/font/layout.py ${root}/font/codepage.py
            ${root}/font/layout.tsv
    COMMENT "Generating the glyph code table from font/layout.tsv"
    VERBATIM)
  set(${header} ${out} PARENT_SCOPE)
endfunction()
