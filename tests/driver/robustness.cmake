# Robustness programs over the real game: the monkey run (random input for
# a number of frames, scripts/soak.sh runs it long) and the start without
# each content file it reads, or with it damaged.
add_executable(game_monkey monkey_main.cpp MonkeyRun.cpp)
target_link_libraries(game_monkey PRIVATE quill_game_driver)
add_executable(game_content_loss content_loss_main.cpp ContentLossCheck.cpp)
target_link_libraries(game_content_loss PRIVATE quill_game_driver)

# The sanitizer build runs fewer monkey frames and a seeded sample of the
# content cases (each costs several times more there; the normal build runs
# every case).
if(SANITIZE)
  set(_monkey_frames 2000)
  set(_content_loss_args --jobs 4 --sample 16)
else()
  set(_monkey_frames 5000)
  set(_content_loss_args --jobs 4)
endif()
add_test(NAME game_monkey_smoke
  COMMAND env ${QUILL_TEST_ENV} ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh
          $<TARGET_FILE:game_monkey> --seed 20 --frames ${_monkey_frames} --rss-every 1000
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(game_monkey_smoke PROPERTIES LABELS gl TIMEOUT 600 COST 1000)
add_test(NAME game_content_loss
  COMMAND env ${QUILL_TEST_ENV} ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh
          $<TARGET_FILE:game_content_loss> ${_content_loss_args}
          --work ${CMAKE_CURRENT_BINARY_DIR}/content-loss
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(game_content_loss PROPERTIES LABELS gl TIMEOUT 900 COST 1000)

quill_unit_test(content_loss_tests ContentLossCheckTest.cpp ContentLossCheck.cpp)
target_include_directories(content_loss_tests PRIVATE ${CMAKE_SOURCE_DIR})

# The sixth scene played over damaged content, one file changed per case (a
# missing picture, an item far outside, unknown renderer ids, a count of -1):
# it is reached, finished or left in bounded game time, and the damage named.
# Each case has a backstop of 600 s of real time; the test's limit lies past it.
add_executable(game_scene_damage scene_damage_main.cpp)
target_link_libraries(game_scene_damage PRIVATE quill_game_driver)
add_test(NAME game_scene_damage
  COMMAND env ${QUILL_TEST_ENV} ${CMAKE_SOURCE_DIR}/scripts/with-xvfb.sh
          $<TARGET_FILE:game_scene_damage> --work ${CMAKE_CURRENT_BINARY_DIR}/scene-damage
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(game_scene_damage PROPERTIES LABELS gl TIMEOUT 900)
