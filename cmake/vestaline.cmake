# Build rules shared by every folder.
#
# A subsystem folder holds one library of Windows-bound code and, in its
# core/ subfolder, a portable library (no <windows.h>) that the host tree
# builds and tests under the sanitizers too. Sources are picked up by glob,
# so adding a file needs no change here.

if(WIN32)
  set(VL_WINDOWS ON)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                          _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_options(-Wall -Wno-unknown-pragmas -Wno-cast-function-type)
  set(VL_JPEG_PREFIX ${CMAKE_SOURCE_DIR}/.deps/libjpeg-win64)
else()
  set(VL_WINDOWS OFF)
  set(VL_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(-Wall ${VL_SANITIZE})
  add_link_options(${VL_SANITIZE})
  # The portable libraries carry libFuzzer's coverage counters, so that the
  # fuzz targets see inside the parsers; programs without libFuzzer (the
  # unit tests) get the sanitizer runtime's empty coverage hooks.
  set(VL_FUZZ_COVERAGE -fsanitize=fuzzer-no-link)
endif()

# vl_portable_library(name DIRS dirs... [DEPS libs...])
function(vl_portable_library name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${d}/*.cpp ${d}/*.c)
    list(APPEND srcs ${s})
  endforeach()
  if(NOT srcs)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  target_compile_options(${name} PRIVATE ${VL_FUZZ_COVERAGE})
endfunction()

# vl_windows_library(name DIRS dirs... [DEPS libs...]): only in the Windows tree.
function(vl_windows_library name)
  if(VL_WINDOWS)
    vl_portable_library(${name} ${ARGN})
  endif()
endfunction()

# vl_test(name DIRS dirs... [WINDOWS] [DEPS libs...]): one executable per test
# folder, registered once with ctest. WINDOWS tests exist only in the
# Windows tree and run under Wine.
function(vl_test name)
  cmake_parse_arguments(A "WINDOWS" "" "DIRS;DEPS" ${ARGN})
  if(A_WINDOWS AND NOT VL_WINDOWS)
    return()
  endif()
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${d}/*.cpp)
    list(APPEND srcs ${s})
  endforeach()
  if(NOT srcs)
    return()
  endif()
  if(VL_WINDOWS)
    list(APPEND srcs ${CMAKE_SOURCE_DIR}/tests/own_temp_folder.cpp)
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} gmock gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600
    ENVIRONMENT "VL_SOURCE_DIR=${CMAKE_SOURCE_DIR};VL_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# vl_fuzz(name DEPS libs... [SECONDS n]): the libFuzzer target fuzz_<name>
# of the host tree, built from <name>.cpp, with the seed inputs of
# corpus/<name>/ (when there is that folder). The test command runs it for a
# few seconds from its seeds and what earlier runs found (kept in the build
# tree, never in the seed folder).
function(vl_fuzz name)
  if(VL_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(A "" "SECONDS" "DEPS" ${ARGN})
  if(NOT A_SECONDS)
    set(A_SECONDS 2)
  endif()
  set(target fuzz_${name})
  add_executable(${target} ${name}.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE ${A_DEPS})
  set(found ${CMAKE_CURRENT_BINARY_DIR}/${target}_corpus)
  file(MAKE_DIRECTORY ${found})
  set(seeds)
  if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  endif()
  # New inputs go to the first folder given. An input counts as a hang only
  # after 60 s: on a busy shared machine one file write or large allocation
  # can stall for many seconds.
  add_test(NAME ${target} COMMAND ${target} -max_total_time=${A_SECONDS} -rss_limit_mb=2048
           -timeout=60 -print_final_stats=0 ${found} ${seeds})
  set_tests_properties(${target} PROPERTIES TIMEOUT 300)
endfunction()
