# System DLLs that the start-up of the main window does not call are loaded at their first use:
# each Wine DLL brought in at start costs its mapping and its initialisation before wWinMain.
# A delay-import library per DLL is made at build time from the symbols of MinGW's import library
# (functions and data exports alike, so nothing the import library offered goes missing).
find_program(TARN_DLLTOOL NAMES ${TARN_MINGW_PREFIX}-dlltool REQUIRED)
find_program(TARN_NM NAMES ${TARN_MINGW_PREFIX}-nm REQUIRED)

set(TARN_DELAY_DIR ${CMAKE_BINARY_DIR}/delay_imports)
set(TARN_DELAY_LIBS "")
foreach(dll comdlg32 winmm hid setupapi oleaut32 urlmon)
  find_library(TARN_IMPLIB_${dll} NAMES lib${dll}.a REQUIRED)
  set(out ${TARN_DELAY_DIR}/lib${dll}_delay.a)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DNM=${TARN_NM} -DDLLTOOL=${TARN_DLLTOOL}
            -DIMPLIB=${TARN_IMPLIB_${dll}} -DDLL=${dll}.dll -DOUT=${out}
            -P ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake
    DEPENDS ${TARN_IMPLIB_${dll}} ${CMAKE_SOURCE_DIR}/cmake/make_delay_import.cmake
    COMMENT "Delay-import library for ${dll}.dll")
  list(APPEND TARN_DELAY_OUTPUTS ${out})
  # The list of libraries names the delay-import library in the DLL's place.
  list(TRANSFORM TARN_WIN32_LIBS REPLACE "^${dll}$" ${out})
endforeach()
add_custom_target(delay_imports DEPENDS ${TARN_DELAY_OUTPUTS})
