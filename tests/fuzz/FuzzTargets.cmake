# libFuzzer targets, one program per reader. Included from the top
# CMakeLists.txt when QUILL_FUZZ is on, in a build folder of its own:
#   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQUILL_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_targets
# scripts/fuzz.sh does both and runs every target over its seed corpus.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUILL_FUZZ needs clang: add -DCMAKE_CXX_COMPILER=clang++")
endif()

# The engine is instrumented for coverage and the sanitizers; only the
# targets link libFuzzer's main.
set(QUILL_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
foreach(lib engine_core engine_gfx engine_audio engine_res engine_store engine_anim engine_ui engine_app)
  if(TARGET ${lib})
    get_target_property(_type ${lib} TYPE)
    if(NOT _type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${lib} PRIVATE ${QUILL_FUZZ_FLAGS})
    endif()
  endif()
endforeach()

add_custom_target(fuzz_targets)
set(QUILL_FUZZ_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

# quill_fuzz_target(name libs...): tests/fuzz/<name>.cpp, built into
# <build>/fuzz/<name>.
function(quill_fuzz_target name)
  add_executable(${name} ${QUILL_FUZZ_SOURCE_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_compile_options(${name} PRIVATE ${QUILL_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz_targets ${name})
endfunction()

quill_fuzz_target(save_loader engine_store)
quill_fuzz_target(tuning_file engine_store)
quill_fuzz_target(labels engine_store)
quill_fuzz_target(app_config engine_store)
quill_fuzz_target(font_descriptor engine_gfx)
