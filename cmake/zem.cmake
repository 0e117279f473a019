# Helpers shared by every part of the tree.

# zem_library(NAME SHARED|STATIC SOURCES ... [DEF file.def] [LIBS ...])
# A library of ours: warnings on, shared headers visible, exact export names from a .def file.
function(zem_library name kind)
  cmake_parse_arguments(Z "" "DEF;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${name} ${kind} ${Z_SOURCES})
  target_include_directories(${name} PUBLIC ${ZEM_INCLUDE})
  target_compile_options(${name} PRIVATE ${ZEM_WARNINGS})
  if(Z_LIBS)
    target_link_libraries(${name} PUBLIC ${Z_LIBS})
  endif()
  if(Z_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${Z_OUTPUT_NAME})
  endif()
  if(kind STREQUAL "SHARED")
    set_target_properties(${name} PROPERTIES PREFIX "")
    if(Z_DEF)
      # The .def file alone decides the export names (decorated stdcall names stay as written).
      target_link_options(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${Z_DEF} -Wl,--enable-stdcall-fixup)
      set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${Z_DEF})
    endif()
  endif()
endfunction()

# zem_test(NAME SOURCES ... [LIBS ...] [DEPENDS targets...] [SHARDS n])
# One test program, linked with the shared test support (tests/support), registered as one ctest
# that runs under Wine through the emulator wrapper. Each run of it has a Wine prefix, wineserver
# and X display of its own (tools/wine-exec.in), so test programs run side by side. With SHARDS
# the program's cases are dealt out over n ctests (NAME.1 ... NAME.n) that run side by side too:
# only for programs whose cases do not build on one another.
function(zem_test name)
  cmake_parse_arguments(Z "GUI" "SHARDS" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${Z_SOURCES})
  target_include_directories(${name} PRIVATE ${ZEM_INCLUDE})
  target_compile_options(${name} PRIVATE ${ZEM_WARNINGS})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main zem_test_support ${Z_LIBS})
  if(Z_DEPENDS)
    add_dependencies(${name} ${Z_DEPENDS})
  endif()
  if(Z_SHARDS)
    set(tests "")
    foreach(shard RANGE 1 ${Z_SHARDS})
      math(EXPR index "${shard} - 1")
      add_test(NAME ${name}.${shard} COMMAND ${name})
      set_tests_properties(${name}.${shard} PROPERTIES
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${Z_SHARDS};GTEST_SHARD_INDEX=${index}")
      list(APPEND tests ${name}.${shard})
    endforeach()
  else()
    add_test(NAME ${name} COMMAND ${name})
    set(tests ${name})
  endif()
  set_tests_properties(${tests} PROPERTIES TIMEOUT 600)
  set_property(DIRECTORY APPEND PROPERTY ZEM_TESTS_OF_${name} ${tests})
endfunction()

# zem_test_properties(NAME PROPERTY VALUE ...): set_tests_properties for every ctest of the
# test program NAME (one, or one per shard).
function(zem_test_properties name)
  get_property(tests DIRECTORY PROPERTY ZEM_TESTS_OF_${name})
  set_tests_properties(${tests} PROPERTIES ${ARGN})
endfunction()

# zem_test_environment(NAME VAR=VALUE ...): adds environment variables to every ctest of the
# test program NAME, beside the shard's own.
function(zem_test_environment name)
  get_property(tests DIRECTORY PROPERTY ZEM_TESTS_OF_${name})
  set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT ${ARGN})
endfunction()

# zem_add_subfolders(): adds every sub-folder of the current folder that has a CMakeLists.txt,
# so a new component joins the build without anyone editing a shared list.
function(zem_add_subfolders)
  file(GLOB entries LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${entries})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# zem_bench(NAME SOURCES ... [LIBS ...] [DEPENDS dlltargets...] [INCLUDES dirs...])
# A benchmark program: built with everything else, run by hand, never registered with ctest.
# bench/support and the tests' shared helpers (scratch folders, whole-file reads and writes)
# serve every benchmark.
function(zem_bench name)
  cmake_parse_arguments(Z "" "" "SOURCES;LIBS;DEPENDS;INCLUDES" ${ARGN})
  add_executable(${name} ${Z_SOURCES} ${CMAKE_SOURCE_DIR}/bench/support/host_note.cpp)
  target_include_directories(${name} PRIVATE ${ZEM_INCLUDE} ${Z_INCLUDES} ${CMAKE_SOURCE_DIR}/bench/support)
  target_compile_options(${name} PRIVATE ${ZEM_WARNINGS})
  target_link_libraries(${name} PRIVATE ${Z_LIBS} zem_test_support)
  if(Z_DEPENDS)
    add_dependencies(${name} ${Z_DEPENDS})
  endif()
endfunction()
