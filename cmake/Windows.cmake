# Windows x64 build: TarnDriver.exe, MenuEx.dll, tarnctl.exe and the program folder.
set(TARN_PROGRAM_DIR ${CMAKE_BINARY_DIR}/TarnDriver)
# FWUpdate\ receives the firmware images that the update check downloads.
file(MAKE_DIRECTORY ${TARN_PROGRAM_DIR} ${TARN_PROGRAM_DIR}/FWUpdate)
add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# No MinGW runtime DLL ships: everything is linked into the executables.
add_link_options(-static -static-libgcc -static-libstdc++)

set(TARN_WIN32_LIBS gdiplus gdi32 user32 comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 uuid
    winmm urlmon hid setupapi msimg32 imm32 advapi32)
include(${CMAKE_CURRENT_LIST_DIR}/delay_imports.cmake)

tarn_collect_sources(TARN_WIN32_SOURCES WIN32)
add_library(tarn_win32 STATIC ${TARN_WIN32_SOURCES})
target_link_libraries(tarn_win32 PUBLIC tarn_core ${TARN_WIN32_LIBS})
add_dependencies(tarn_win32 delay_imports)

set(TARN_RC_FILE ${CMAKE_SOURCE_DIR}/resources/tarn.rc)
add_executable(TarnDriver WIN32 ${CMAKE_SOURCE_DIR}/app/main_win32.cpp)
if(EXISTS ${TARN_RC_FILE})
  target_sources(TarnDriver PRIVATE ${TARN_RC_FILE})
endif()
target_link_options(TarnDriver PRIVATE -municode)
# Page-aligned sections let the loader map the image (its pictures above all) from the file on
# demand instead of reading all of it into memory at start.
target_link_options(TarnDriver PRIVATE -Wl,--file-alignment,4096)
# Release programs ship without symbols.
target_link_options(TarnDriver PRIVATE $<$<CONFIG:Release>:-s>)
# Whole archive: window classes register themselves and must not be dropped by the linker.
target_link_libraries(TarnDriver PRIVATE -Wl,--whole-archive tarn_win32 -Wl,--no-whole-archive
                      tarn_core ${TARN_WIN32_LIBS})
set_target_properties(TarnDriver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TARN_PROGRAM_DIR})

# Native generators (default files, skin pictures) run on the build machine. Either a native
# build tree is named, or one is built here from the same sources.
set(TARN_HOST_BIN_DIR "" CACHE PATH "Native build tree whose bin/ holds the host tools")
if(TARN_HOST_BIN_DIR)
  add_custom_target(host_tools)
  set(TARN_HOST_TOOLS ${TARN_HOST_BIN_DIR}/bin)
else()
  include(ExternalProject)
  ExternalProject_Add(host_tools
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/host
    CMAKE_ARGS -DTARN_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON)
  set(TARN_HOST_TOOLS ${CMAKE_BINARY_DIR}/host/bin)
endif()

# Everything that lands in the program folder hangs off this one target.
add_custom_target(program_folder ALL DEPENDS TarnDriver)
add_dependencies(program_folder host_tools)
file(GLOB TARN_PROGRAM_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/program_folder/*.cmake)
foreach(part ${TARN_PROGRAM_PARTS})
  include(${part})
endforeach()
# The resource script names pictures that the skin renderer paints into the build tree.
if(EXISTS ${TARN_RC_FILE} AND TARGET skin_resources)
  target_include_directories(TarnDriver PRIVATE ${TARN_GENERATED_RESOURCES})
  set_source_files_properties(${TARN_RC_FILE} PROPERTIES OBJECT_DEPENDS ${TARN_RESOURCE_STAMP})
  add_dependencies(TarnDriver skin_resources)
endif()

foreach(extra ${CMAKE_SOURCE_DIR}/skin/menuex ${CMAKE_SOURCE_DIR}/tools/tarnctl)
  get_filename_component(name ${extra} NAME)
  if(EXISTS ${extra}/CMakeLists.txt)
    add_subdirectory(${extra} ${CMAKE_BINARY_DIR}/extra/${name})
  endif()
endforeach()

enable_testing()
add_subdirectory(tests/wine)
