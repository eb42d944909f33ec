# The skins folder of the program (English pictures unless TARN_CHINESE_SKIN is on, the same
# switch as the default files) and the picture resources that windres compiles into
# TarnDriver.exe, both painted by the native skin renderer.
option(TARN_CHINESE_SKIN "The skin is Chinese: ship Chinese default names and language id" OFF)
set(TARN_GENERATED_RESOURCES ${CMAKE_BINARY_DIR}/generated/resources)
file(GLOB TARN_SKIN_RENDERER_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tools/skin_renderer/*.cpp ${CMAKE_SOURCE_DIR}/tools/skin_renderer/*.h)

set(TARN_SKIN_ARGS --skins ${TARN_PROGRAM_DIR}/skins)
if(TARN_CHINESE_SKIN)
  list(APPEND TARN_SKIN_ARGS --chinese)
endif()
# Always run, like the default files: the renderer is built outside this tree's view.
add_custom_target(program_folder_skins
  COMMAND ${TARN_HOST_TOOLS}/skin_renderer ${TARN_SKIN_ARGS}
  COMMENT "Painting the skins into ${TARN_PROGRAM_DIR}/skins"
  VERBATIM)
add_dependencies(program_folder_skins host_tools)
add_dependencies(program_folder program_folder_skins)

# The resources must exist before the resource script compiles; the stamp makes the script
# compile again whenever the renderer or the shared geometry changes.
set(TARN_RESOURCE_STAMP ${TARN_GENERATED_RESOURCES}/rendered.stamp)
add_custom_command(OUTPUT ${TARN_RESOURCE_STAMP}
  COMMAND ${TARN_HOST_TOOLS}/skin_renderer --resources ${TARN_GENERATED_RESOURCES}
  COMMAND ${CMAKE_COMMAND} -E touch ${TARN_RESOURCE_STAMP}
  DEPENDS ${TARN_SKIN_RENDERER_SOURCES} ${CMAKE_SOURCE_DIR}/skin/skin_geometry.h
          ${CMAKE_SOURCE_DIR}/skin/links_dialog_geometry.h
  COMMENT "Painting the picture resources into ${TARN_GENERATED_RESOURCES}"
  VERBATIM)
add_custom_target(skin_resources DEPENDS ${TARN_RESOURCE_STAMP})
add_dependencies(skin_resources host_tools)
