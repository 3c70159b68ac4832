"""The short story road: a test fixture tree in which the whole story, from a
new game to the credits, is one scene long.

  <fixtures>/shortroad/content/          links to every entry of content/,
                                         except the files written here:
    config/Quests.xml                    quest 0 opens quest 72, which ends
                                         the story; the others stay as the
                                         story has them but are never opened
    config/scene/Scene01/SceneMechanics.xml
                                         two hidden-object steps of one item
                                         each: quest 0, then quest 72

The game run with <fixtures>/shortroad as its working folder plays: a new
game, the prologue, chapter transition 0, the journal, the first scene (one
item for quest 0, one for quest 72, then its key item), the epilogue and the
credits. Every other file is the generated content itself (links), so the
road shows the real screens.

The links are made from the content folder as it lies on disk, after it
has been written (link_content); they are stored relative to the link's
folder, so the tree moves together with the repository.
"""

import os
from pathlib import Path

from . import story

ROOT = "shortroad/content/"
LAST_QUEST = 72
SCENE = 0
# The scene's items are picked one per step.
COLLECT = dict(story.COLLECT, count=1)


def _quests_root():
    quests = []
    for q, screen, stage, opens, needs in story.quest_graph():
        if q == 0:
            opens = [LAST_QUEST]
        elif q == LAST_QUEST:
            screen, stage, needs = SCENE, 1, [0]
        quests.append(("Quest", {"id": q, "screenId": screen, "stage": stage, "opens": story._ints(opens),
                                 "needs": story._ints(needs), "emptyContainer": "false",
                                 "correctLocationStage": "true"}))
    return ("GamePlay", {}, quests)


def _mechanics_root():
    return ("SceneMechanics", {}, [
        ("CollectGroup", {"identifier": "STACKED_ITEM_LIST"}, [("Collect", dict(COLLECT, questId=qid))])
        for qid in (0, LAST_QUEST)])


def _written():
    return {
        story.CONFIG + "Quests.xml": _quests_root(),
        story.scene_folder(SCENE) + story.SCENE_FILES["mechanicsConf"]: _mechanics_root(),
    }


def fixture_lines():
    """Table lines of the files written into the fixture folder."""
    return [(ROOT + path, None, "xml", {"root": root}) for path, root in _written().items()]


def link_content(fixtures, content):
    """Links every entry of the folder `content` into the fixture tree but
    the files fixture_lines() writes; a folder holding one of those is made
    and its other entries are linked one by one. Returns the links made."""
    written = set(_written())
    own_folders = set()
    for path in written:
        parts = path.split("/")[:-1]
        own_folders.update("/".join(parts[:n]) for n in range(1, len(parts) + 1))
    links = []

    def walk(relative):
        source = Path(content) / relative if relative else Path(content)
        for entry in sorted(source.iterdir()):
            name = relative + "/" + entry.name if relative else entry.name
            if name in written or entry.name.startswith("."):
                continue
            if name in own_folders:
                walk(name)
                continue
            link = Path(fixtures) / ROOT / name
            link.parent.mkdir(parents=True, exist_ok=True)
            if link.is_symlink() or link.exists():
                link.unlink()
            os.symlink(os.path.relpath(entry, link.parent), link)
            links.append(link)

    walk("")
    return links
