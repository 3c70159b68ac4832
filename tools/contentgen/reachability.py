"""Plays a story's quest graph the way the game does, to find quests a
player can never reach.

The model:
  - the story starts with quest 0 open;
  - a scene's script plays its steps in order: a hidden-object step (its
    collect rule carries the quest) or a minigame step (the minigame screen
    carries the quest) is played once its quest is open and every step
    before it in the same script has been played; other steps (a journal,
    say) carry no quest and pass;
  - the map offers the scene of every open quest, so any scene whose next
    step's quest is open can be played;
  - a played quest is done and opens each quest it names once every quest
    that opens that one is done;
  - a minigame step needs a game the content provides.

unreachable() returns what stands in the way, one line per quest that is
never played, and check() raises StoryError with those lines.
"""


class StoryError(ValueError):
    """A story the game could not be played through."""


def _quest_of(step):
    """The quest id a script step plays, or None for a step without one."""
    if isinstance(step, int):
        return step
    if isinstance(step, tuple) and step and isinstance(step[0], int):
        return step[0]
    return None


def _game_of(step):
    if isinstance(step, tuple) and len(step) > 1 and isinstance(step[0], int):
        return step[1]
    return None


def unreachable(scenes, opens, quest_count, games=None):
    """Reasons, one per quest never played (empty for a sound story).
    `scenes`: per scene its script steps (a quest id, (quest id, minigame
    class), or anything else for a step without a quest); `opens`: quest id ->
    the quests it opens; `games`: the minigame classes the content provides
    (None: any)."""
    scripts = [[_quest_of(step) for step in row] for row in scenes]
    where = {}
    problems = []
    for scene_id, row in enumerate(scenes):
        for stage, step in enumerate(row):
            qid = _quest_of(step)
            if qid is None:
                continue
            where.setdefault(qid, (scene_id, stage))
            game = _game_of(step)
            if games is not None and game is not None and game not in games:
                problems.append("quest %d: scene %d's step %d opens the minigame %s, which the content lacks"
                                % (qid, scene_id, stage, game))
    needs = {}
    for q, targets in opens.items():
        for t in targets:
            needs.setdefault(t, set()).add(q)

    done, open_ = set(), {0}
    position = [0] * len(scripts)
    moved = True
    while moved:
        moved = False
        for scene_id, script in enumerate(scripts):
            while position[scene_id] < len(script):
                qid = script[position[scene_id]]
                if qid is not None:
                    if qid not in open_ or qid in done:
                        break
                    done.add(qid)
                    for t in opens.get(qid, []):
                        if needs.get(t, set()) <= done:
                            open_.add(t)
                position[scene_id] += 1
                moved = True

    for q in range(quest_count):
        if q in done:
            continue
        if q not in where:
            problems.append("quest %d: no scene step plays it" % q)
        elif q not in open_:
            waiting = sorted(needs.get(q, set()) - done)
            problems.append("quest %d (scene %d, step %d) never opens: %s"
                            % (q, where[q][0], where[q][1],
                               "it needs %s, never played" % ", ".join(map(str, waiting)) if waiting
                               else "no quest opens it"))
        else:
            scene_id, stage = where[q]
            stuck = position[scene_id]
            problems.append("quest %d (scene %d, step %d) is open, but the scene's script stops at step %d "
                            "(quest %s, never open)" % (q, scene_id, stage, stuck, scripts[scene_id][stuck]))
    return problems


def check(scenes, opens, quest_count, games=None):
    problems = unreachable(scenes, opens, quest_count, games)
    if problems:
        raise StoryError("story: %d quest(s) can never be played:\n  %s" % (len(problems), "\n  ".join(problems)))
