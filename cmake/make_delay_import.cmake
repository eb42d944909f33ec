cmake_minimum_required(VERSION 3.20)

# Writes a module-definition file from the exports an import library names, then a delay-import
# library from it.  -DNM -DDLLTOOL -DIMPLIB -DDLL -DOUT
execute_process(COMMAND ${NM} -g --defined-only ${IMPLIB} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot list the symbols of ${IMPLIB}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
set(imports "")
set(code "")
foreach(line ${lines})
  if(line MATCHES " I __imp_([A-Za-z0-9_@?$]+)$")
    list(APPEND imports ${CMAKE_MATCH_1})
  elseif(line MATCHES " T ([A-Za-z0-9_@?$]+)$")
    list(APPEND code ${CMAKE_MATCH_1})
  endif()
endforeach()
list(REMOVE_DUPLICATES imports)
set(def "LIBRARY ${DLL}\nEXPORTS\n")
foreach(name ${imports})
  # An import without a call stub is data.
  if(name IN_LIST code)
    string(APPEND def "${name}\n")
  else()
    string(APPEND def "${name} DATA\n")
  endif()
endforeach()
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
set(def_file ${OUT}.def)
file(WRITE ${def_file} "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${def_file} --dllname ${DLL}
                        --output-delaylib ${OUT}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "dlltool could not make ${OUT}")
endif()
