#!/usr/bin/env python3
"""The generator's story check: the generated story plays through, and broken
stories are refused with the quests that stand in the way; gen_content.py
exits non-zero with that message before it writes anything."""
import copy
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
from contentgen import reachability, story  # noqa: E402

OPENS = {q: story.OPENS.get(q, [q + 1]) for q in range(story.QUEST_COUNT)}


class Reachability(unittest.TestCase):
    def refused(self, scenes, opens=OPENS, games=None):
        with self.assertRaises(reachability.StoryError) as caught:
            reachability.check(scenes, opens, story.QUEST_COUNT, games)
        return str(caught.exception)

    def test_the_generated_story_plays_through(self):
        self.assertEqual(reachability.unreachable(story.SCENES, OPENS, story.QUEST_COUNT), [])
        # Steps without a quest (a journal step, say) pass.
        scenes = copy.deepcopy(story.SCENES)
        scenes[1] = [("DiaryScreen", {"noPushOnLeave": 1})] + scenes[1]
        self.assertEqual(reachability.unreachable(scenes, OPENS, story.QUEST_COUNT), [])

    def test_broken_stories_name_what_blocks(self):
        scenes = copy.deepcopy(story.SCENES)
        # Quest 4 first in a scene whose quest 3 opens it: the script waits.
        scenes[1] = [(4, "MgImagePuzzle"), 3]
        message = self.refused(scenes)
        self.assertIn("quest 3 (scene 1, step 1) is open, but the scene's script stops at step 0", message)
        self.assertIn("quest 72 ", message)
        # A quest nothing opens.
        opens = {**OPENS, 70: []}
        self.assertIn("quest 71 (scene 25, step 1) never opens: no quest opens it", self.refused(story.SCENES, opens))
        # A quest that needs one never played.
        opens = {**OPENS, 10: [11, 60], 59: [60, 61]}
        opens[71] = [72, 60]
        # Quest 60 waits for 71, which lies behind 60 itself.
        self.assertIn("quest 60 (scene 21, step 1) never opens: it needs 71, never played",
                      self.refused(story.SCENES, opens))
        # A quest no step plays, and a minigame the content lacks.
        scenes = copy.deepcopy(story.SCENES)
        scenes[22] = [62]
        self.assertIn("quest 63: no scene step plays it", self.refused(scenes))
        self.assertIn("the minigame MgKlotsky, which the content lacks",
                      self.refused(story.SCENES, games={"MgMemoryMatch"}))

    def test_gen_content_refuses_a_broken_story(self):
        with tempfile.TemporaryDirectory() as out:
            code = ("import runpy, sys; sys.path.insert(0, 'tools'); from contentgen import story; "
                    "story.SCENES[1] = [(4, 'MgImagePuzzle'), 3]; "
                    "sys.argv = ['gen_content.py', '--content', %r, '--fixtures', %r]; "
                    "runpy.run_path('tools/gen_content.py', run_name='__main__')" % (out + "/c", out + "/f"))
            run = subprocess.run([sys.executable, "-c", code], cwd=ROOT, capture_output=True, text=True)
            self.assertNotEqual(run.returncode, 0)
            self.assertIn("gen_content: story:", run.stderr)
            self.assertIn("can never be played", run.stderr)
            self.assertNotIn("Traceback", run.stderr)
            self.assertFalse(Path(out, "c").exists())


if __name__ == "__main__":
    unittest.main()
