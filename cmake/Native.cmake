# Native (Linux) build: the core, the host tools, the unit tests and the benchmarks.
file(GLOB TARN_TOOL_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/*)
foreach(tool_dir ${TARN_TOOL_DIRS})
  if(IS_DIRECTORY ${tool_dir} AND EXISTS ${tool_dir}/CMakeLists.txt)
    add_subdirectory(${tool_dir})
  endif()
endforeach()

if(TARN_TOOLS_ONLY)
  return()
endif()

if(TARN_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_subdirectory(tests)
endif()

if(TARN_FUZZ)
  # The core itself is instrumented too, so the fuzzer sees its branches.
  target_compile_options(tarn_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                           -fno-sanitize-recover=undefined)
  add_subdirectory(tests/fuzz)
endif()

if(TARN_BUILD_BENCH AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    add_subdirectory(bench)
  endif()
  add_subdirectory(bench/startup)
endif()
