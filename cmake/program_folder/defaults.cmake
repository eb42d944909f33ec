# The default settings files of the program folder (Profile\, Macro.cfg, Language.cfg,
# Sts.cfg), written by the native tool from the same core that reads them.
option(TARN_CHINESE_SKIN "The skin is Chinese: ship Chinese default names and language id" OFF)
set(TARN_DEFAULTS_ARGS ${TARN_PROGRAM_DIR})
if(TARN_CHINESE_SKIN)
  list(APPEND TARN_DEFAULTS_ARGS --chinese)
endif()
# Always run: the tool is cheap, and the host tools are rebuilt outside this tree's view.
add_custom_target(program_folder_defaults
  COMMAND ${TARN_HOST_TOOLS}/tarn_defaults ${TARN_DEFAULTS_ARGS}
  COMMENT "Writing the default settings files into ${TARN_PROGRAM_DIR}"
  VERBATIM)
add_dependencies(program_folder_defaults host_tools)
add_dependencies(program_folder program_folder_defaults)
