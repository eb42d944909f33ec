# The twelve language files, kept as sources in Language/ and copied into the program folder.
file(GLOB TARN_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Language/*.xml)
set(TARN_LANGUAGE_COPIES)
foreach(source ${TARN_LANGUAGE_FILES})
  get_filename_component(name ${source} NAME)
  set(copy ${TARN_PROGRAM_DIR}/Language/${name})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TARN_PROGRAM_DIR}/Language
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${copy}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND TARN_LANGUAGE_COPIES ${copy})
endforeach()
add_custom_target(program_folder_language DEPENDS ${TARN_LANGUAGE_COPIES})
add_dependencies(program_folder program_folder_language)
