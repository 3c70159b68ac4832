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
set(QUILL_FUZZ_LIST ${CMAKE_BINARY_DIR}/fuzz/targets.tsv)
file(WRITE ${QUILL_FUZZ_LIST} "")

# quill_fuzz_target(name [SOURCES files...] [LIBS libs...] [SEEDS globs...])
# builds tests/fuzz/<name>.cpp with the reader's own sources (paths from the
# repository root; the game's libraries are not built whole) into
# <build>/fuzz/<name>. SEEDS are globs, from the repository root, of the
# generated content files that seed its corpus. Every target gets one line,
# "name<TAB>globs", in <build>/fuzz/targets.tsv, which scripts/fuzz.sh reads
# as its list of targets.
function(quill_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;SEEDS" ${ARGN})
  list(TRANSFORM F_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
  add_executable(${name} ${QUILL_FUZZ_SOURCE_DIR}/${name}.cpp ${F_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_compile_options(${name} PRIVATE ${QUILL_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz_targets ${name})
  string(REPLACE ";" " " _seeds "${F_SEEDS}")
  file(APPEND ${QUILL_FUZZ_LIST} "${name}\t${_seeds}\n")
endfunction()

# Engine files.
quill_fuzz_target(save_loader LIBS engine_store)
quill_fuzz_target(tuning_file LIBS engine_store SEEDS content/config/*.cfg)
quill_fuzz_target(labels LIBS engine_store SEEDS content/config/labels/*.xml)
quill_fuzz_target(app_config LIBS engine_store SEEDS content/config/config.xml)
quill_fuzz_target(font_descriptor LIBS engine_gfx SEEDS content/fonts/*.fnt)
quill_fuzz_target(animation LIBS engine_core SOURCES engine/ui/AnimationFile.cpp
  SEEDS content/animations/*/*.xml content/animations/*/*/*.xml)
quill_fuzz_target(image_header LIBS engine_gfx
  SEEDS content/images/effects/*.jpg content/config/scene/Scene01/*.png)
quill_fuzz_target(sample_rate LIBS engine_audio SEEDS content/sounds/ui/* content/music/*)

# The game's data files.
quill_fuzz_target(scene_index LIBS engine_core SOURCES game/SceneIndex.cpp
  SEEDS content/config/scene/sceneIndex.xml)
quill_fuzz_target(scene_items LIBS engine_core
  SOURCES game/SceneFiles.cpp game/SceneIndex.cpp game/ItemGroupRules.cpp game/ItemRendererRule.cpp
  SEEDS content/config/scene/*/Scene.xml content/config/scene/*/Scene_*.xml)
quill_fuzz_target(item_rules LIBS engine_core
  SOURCES game/SceneFiles.cpp game/SceneIndex.cpp game/ItemGroupRules.cpp game/ItemRendererRule.cpp
  SEEDS content/config/scene/*/ItemGroups.xml content/config/scene/*/ItemRenderers.xml)
quill_fuzz_target(scene_mechanics LIBS engine_core SOURCES scenes/SceneMechanics.cpp
  SEEDS content/config/scene/*/SceneMechanics.xml)
quill_fuzz_target(game_flow LIBS engine_core SOURCES game/GameFlow.cpp SEEDS content/config/GameFlow.xml)
quill_fuzz_target(quests LIBS engine_core SOURCES game/QuestManager.cpp SEEDS content/config/Quests.xml)
quill_fuzz_target(quest_state LIBS engine_core SOURCES game/QuestManager.cpp)
quill_fuzz_target(scene_music LIBS engine_core SOURCES game/SceneMusic.cpp
  SEEDS content/config/scene/music.xml)
quill_fuzz_target(sfx LIBS engine_res SOURCES game/SfxContainer.cpp SEEDS content/config/sfx.xml)
quill_fuzz_target(dialog LIBS engine_core SOURCES frontend/DialogFile.cpp
  SEEDS content/story/dialogs/*.xml)
quill_fuzz_target(map_locations LIBS engine_core SOURCES frontend/MapLocationRecord.cpp
  SEEDS content/config/MapLocations.xml)
quill_fuzz_target(book LIBS engine_gfx SOURCES frontend/BookLayout.cpp
  SEEDS content/story/journal/*.xml content/story/credits/*.xml content/story/*.xml)

# The minigames' description files.
quill_fuzz_target(casting_spells LIBS engine_core SOURCES minigames/CastingSpellsFile.cpp
  SEEDS content/config/minigames/CastingSpells/*.xml)
quill_fuzz_target(klotsky LIBS engine_core SOURCES minigames/KlotskyFile.cpp minigames/KlotskyGrid.cpp
  SEEDS content/config/minigames/Klotsky/*.xml)
quill_fuzz_target(zodiac_signs LIBS engine_core SOURCES minigames/ZodiacSignsFile.cpp minigames/ContentBounds.cpp
  SEEDS content/config/minigames/ZodiacSigns/*.xml)
quill_fuzz_target(cypher_wheel LIBS engine_core SOURCES minigames/CypherWheelFile.cpp
  SEEDS content/config/minigames/CypherWheel/*.xml)
quill_fuzz_target(face_drawing LIBS engine_core SOURCES minigames/FaceDrawingFile.cpp
  SEEDS content/config/minigames/FaceDrawing/*.xml)
quill_fuzz_target(collect_armour LIBS engine_core
  SOURCES minigames/CollectArmourFile.cpp
  SEEDS content/config/minigames/Quest66.xml)
