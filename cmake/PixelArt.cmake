# The programs' pictures are text pixel art in editor/art; tools/pixelart.py
# turns them into BMP and ICO files plus art.rc, a resource script fragment
# (#include "art.rc") that names them with the ids of editor/art/ArtIds.h.
#
#   dabiro_pixel_art(<var>)       sets <var> to the folder of the generated
#                                 files and creates the target pixel_art
#   dabiro_use_pixel_art(<target>) makes <target>'s .rc files see that folder
#                                 and rebuild when a picture changes
#
# Both may be called from any directory and any number of times: the first
# call creates the command, later calls reuse it (global properties
# DABIRO_PIXEL_ART_DIR and DABIRO_PIXEL_ART_FILES).

function(dabiro_pixel_art outDirVar)
  get_property(outDir GLOBAL PROPERTY DABIRO_PIXEL_ART_DIR)
  if(NOT outDir)
    set(python /usr/bin/python3)
    cmake_path(GET CMAKE_CURRENT_FUNCTION_LIST_DIR PARENT_PATH root)
    set(script ${root}/tools/pixelart.py)
    set(artDir ${root}/editor/art)
    set(outDir ${CMAKE_CURRENT_BINARY_DIR}/art)
    file(GLOB artFiles CONFIGURE_DEPENDS ${artDir}/*.txt)
    list(SORT artFiles)

    # Which files come out depends on the art itself (a disabled picture
    # or not), so ask the converter; it also rejects faulty art right here.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${script} ${artFiles} ${artDir}/ArtIds.h)
    execute_process(
      COMMAND ${python} ${script} --list --out ${outDir}
              ${artFiles}
      OUTPUT_VARIABLE outputs
      ERROR_VARIABLE problem
      RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${problem}")
    endif()
    string(STRIP "${outputs}" outputs)
    string(REPLACE "\n" ";" outputs "${outputs}")

    add_custom_command(
      OUTPUT ${outputs}
      COMMAND ${python} ${script} --out ${outDir} ${artFiles}
      DEPENDS ${script} ${artFiles} ${artDir}/ArtIds.h
      COMMENT "Converting pixel art to bitmaps and icons"
      VERBATIM)
    add_custom_target(pixel_art DEPENDS ${outputs})
    add_test(NAME pixelart_tool
             COMMAND ${python}
                     ${root}/tools/test_pixelart.py)

    set_property(GLOBAL PROPERTY DABIRO_PIXEL_ART_DIR ${outDir})
    set_property(GLOBAL PROPERTY DABIRO_PIXEL_ART_FILES ${outputs})
  endif()
  set(${outDirVar} ${outDir} PARENT_SCOPE)
endfunction()

# Call from the directory that defines <target>, after its sources are set.
function(dabiro_use_pixel_art target)
  dabiro_pixel_art(outDir)
  get_property(outputs GLOBAL PROPERTY DABIRO_PIXEL_ART_FILES)
  target_include_directories(${target} PRIVATE ${outDir})
  add_dependencies(${target} pixel_art)
  # windres reports no included files to the build tool, so name them.
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.rc$")
      set_property(SOURCE ${source} APPEND PROPERTY OBJECT_DEPENDS ${outputs})
    endif()
  endforeach()
endfunction()
