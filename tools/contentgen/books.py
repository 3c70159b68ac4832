"""The story's books and the screens around them: the journal and credits
books with their pages and pictures, the prologue and epilogue texts, the
chapter captions and clip, the rune sheet, options and high-score clips,
and the labels these screens read.

  content/story/journal/JournalEntries.xml   root JournalEntries
  content/story/credits/CreditsEntries.xml   root JournalEntries as well

Book pages are dark: text is drawn into them in white.
"""

from . import animations

IMAGE_EXTENSION = ".jpg"
JOURNAL_IMG = "story/journal/img/"
PAGE_SIZE = (512, 768)
PAGE_COLOUR = "#3c2e1e"

# Journal entries: (id, side, picture or None, title, paragraphs).  Entry 3
# overflows its page; entry 5 must start on a left page.
JOURNAL = [
    (0, None, "pic0", "The Storm over Carvenholt",
     ["The night the tower fell silent, a storm rolled in from the sea and did not leave.",
      "Old Velmor took up his staff and set out to learn why the runes had gone dark."]),
    (1, None, None, "A Cold Welcome",
     ["The villagers barred their doors. Only the smith would speak, and he spoke of a stranger in grey."]),
    (2, None, "pic2", "Chapter Two: The Forest of Doubts",
     ["Beyond the river the paths twist back on themselves. Velmor marked every tree he passed."]),
    (3, None, None, "Chapter Three: Kindred Spirits",
     [("Velmor wrote late into the night. " * 9).strip(),
      ("Every rune he found burned a little brighter than the last, and every spell he wove "
       "drew the grey stranger closer. " * 6).strip(),
      ("He counted the days, the miles and the runes, and found that the numbers no longer agreed. " * 5).strip()]),
    (4, None, None, "An Old Friend",
     ["A letter under the door, sealed with wax the colour of storm clouds."]),
    (5, "left", "pic5", "Chapter Four: Sense and Serenity",
     ["The monks of the high valley keep the last of the old spells. They asked for nothing and gave everything."]),
    (6, None, None, "Chapter Five: The Rise of Tavrin",
     ["The tower stands before him at last. Whatever waits at the top, Velmor will not turn back now."]),
]
JOURNAL_PICTURES = [("pic0", "#b8863b"), ("pic2", "#4f8a5a"), ("pic5", "#5a6fb0")]

CREDITS = [
    (0, "Quillendar", ["A casual adventure in a storm-bound kingdom."]),
    (1, "Made by", ["The Quillendar team, with placeholder pictures and tones drawn by its own generator."]),
    (2, "Tools", ["C++17, SDL, OpenGL, TinyXML, Pillow and sox on Debian."]),
    (3, "Thank you", ["Thank you for playing."]),
]

PROLOGUE = "\n".join([
    "In the kingdom of Carvenholt the runes kept the storms at bay.",
    "For a thousand years the tower watched over the valleys,",
    "",
    "until the night its lights went out.",
    "Velmor, the last of the rune keepers, took up his staff.",
    "Somewhere in the kingdom the runes lie scattered,",
    "and someone has been gathering them first.",
])
EPILOGUE = "\n".join([
    "The storm broke at dawn over the silent tower.",
    "The runes burned bright again, one by one,",
    "",
    "and the grey stranger was gone with the clouds.",
    "Velmor set down his staff and opened the journal",
    "to a page that was, at last, still empty.",
])

# Chapter titles: one line of the 60 px font across the screen, so each
# stays within 992 px (tools/playability.py measures them).
CHAPTERS = ["Prologue: The Silent Tower", "Chapter One: Carvenholt", "Chapter Two: Forest of Doubts",
            "Chapter Three: Kindred Spirits", "Chapter Four: Sense & Serenity"]

RUNE_NAMES = ["Rune of Light", "Rune of Water", "Rune of Stone", "Rune of Wind", "Rune of Fire",
              "Rune of Frost", "Rune of Sight", "Rune of Roots", "Rune of Stars", "Rune of Iron",
              "Rune of Dreams", "Rune of Storms"]


def _journal_labels():
    labels = []
    for eid, _, _, title, paragraphs in JOURNAL:
        labels.append(("JOURNAL_%d_TITLE" % eid, title))
        labels += [("JOURNAL_%d_P%d" % (eid, i + 1), p) for i, p in enumerate(paragraphs)]
    for eid, title, paragraphs in CREDITS:
        labels.append(("CREDITS_%d_TITLE" % eid, title))
        labels += [("CREDITS_%d_P%d" % (eid, i + 1), p) for i, p in enumerate(paragraphs)]
    return labels


LABELS = [
    ("CONTINUE", "Continue"),
    ("JOURNAL_0_0", PROLOGUE),
    ("OUTRO_POEM", EPILOGUE),
    ("JOURNAL_PROLOGUE", "Prologue"),
    ("JOURNAL_EPILOGUE", "Epilogue"),
    # Options and high scores.
    ("FULL_SCREEN", "Full screen"),
    ("CUSTOM_CURSOR", "Custom cursor"),
    ("VERSION", "Version"),
    ("CREDITS", "Credits"),
    ("TOOLTIP_BTN_CREDITS", "Who made this game"),
    ("HIGHSCORE", "High Scores"),
    ("TOOLTIP_BTN_HIGHSCORE", "The ten best scores"),
    ("TOOLTIP_BTN_OK_OPTIONS_WINDOW", "Keep these settings"),
    ("TOOLTIP_CHECKBOX_CUSTOM_CURSOR", "Use the game's own mouse cursor"),
    ("TOOLTIP_CHECKBOX_FULL_SCREEN", "Fill the whole screen"),
    ("TOOLTIP_SLIDER_SOUND", "Loudness of the sound effects"),
    ("TOOLTIP_SLIDER_MUSIC", "Loudness of the music"),
    ("SOUND", "Sound"),
    ("MUSIC", "Music"),
    # The id keeps its spelling: the high-score screen asks for it so.
    ("TOOLTIO_BTN_OK_HIGHSCORE_WINDOW", "Back to the options"),
    # Rune sheet.
    ("TOOLTIP_BTN_OK_RUNE_WINDOW", "Back to the scene"),
    ("SPELL_VISIBILITY", "Spell of Visibility"),
    ("SPELL_DRAWN", "Spell of Drawing"),
    ("SPELL_VISION", "Spell of Vision"),
    ("SPELL_LIGHTNING", "Spell of Lightning"),
    ("MINIGAMES_MENU_PLACEHOLDER", "Jump straight into the story"),
]
LABELS += [("CHAPTER_ENTRY_%d" % i, text) for i, text in enumerate(CHAPTERS)]
LABELS += [("RUNE%d" % (i + 1), name) for i, name in enumerate(RUNE_NAMES)]
LABELS += _journal_labels()


def _entry(eid, side, picture, prefix, paragraphs):
    attrs = {"id": eid}
    if side:
        attrs["side"] = side
    children = []
    if picture:
        children.append(("Image", {"file": picture, "x": 156, "y": 440}))
    children.append(("Title", {"text": prefix + "_TITLE", "font": "FONT_TIMES24_NE"}))
    children += [("Paragraph", {"text": "%s_P%d" % (prefix, i + 1), "font": "FONT_TIMES16_NE", "align": "left"})
                 for i in range(len(paragraphs))]
    return ("JournalEntry", attrs, children)


def journal_root(prefix):
    return ("JournalEntries", {"rootPath": prefix + JOURNAL_IMG}, [
        _entry(eid, side, pic, "JOURNAL_%d" % eid, paragraphs) for eid, side, pic, _, paragraphs in JOURNAL])


def credits_root(prefix):
    return ("JournalEntries", {"rootPath": prefix + JOURNAL_IMG}, [
        _entry(eid, None, None, "CREDITS_%d" % eid, paragraphs) for eid, _, paragraphs in CREDITS])


# The face of the dialog panels that carry white (or yellow) text without an
# outline: the high-score rows, the options' version line, the message
# dialogs' questions.  Dark enough for a contrast of 4.5:1 and more.
DIALOG_PANEL = "#4a3828"


def _dialog_pair(folder, image, size, colour, label):
    """The panel picture of a dialog and its opening and closing clips."""
    lines = [("animations/%s/%s" % (folder, image), size, "panel", {"color": colour, "label": label})]
    for clip, mode in (("DialogStart", "open"), ("DialogClose", "close")):
        lines.append(animations.table_line("animations/%s/%s.xml" % (folder, clip), "dialog",
                                           {"image": image, "size": size, "length": 300, "mode": mode}))
    return lines


def _page(path, ids):
    return (path, PAGE_SIZE, "texture", {"look": "solid", "mask": False, "ids": ids, "index": 0,
                                          "color": PAGE_COLOUR})


def table_lines(prefix="content/"):
    """Generator table lines (path under the content folder, size, kind,
    style); `prefix` is the content folder as the game names it."""
    lines = [
        ("story/journal/JournalEntries.xml", None, "xml", {"root": journal_root(prefix)}),
        ("story/credits/CreditsEntries.xml", None, "xml", {"root": credits_root(prefix)}),
        _page("images/journal/PageLeft.jpg", ["JOURNAL_PAGE_LEFT", "CREDITS_PAGE_LEFT"]),
        _page("images/journal/PageRight.jpg", ["JOURNAL_PAGE_RIGHT", "CREDITS_PAGE_RIGHT"]),
        # Intro lines are drawn into a copy of this fully transparent strip.
        ("images/menus/IntroLine" + IMAGE_EXTENSION, (900, 24), "solid",
         {"color": (0, 0, 0, 0), "label": False}),
        ("animations/ChapterTransition/Backdrop.png", (1024, 768), "backdrop",
         {"colors": ("#0b0d18", "#2a2140"), "grid": False, "label": False}),
        animations.table_line("animations/ChapterTransition/Transition.xml", "clip", {
            "length": 5000, "screen": (1024, 768), "objects": [
                ("Backdrop.png", 0, [{"t": 0, "a": 0}, {"t": 800, "a": 255}, {"t": 5000, "a": 255}])]}),
    ]
    lines += [(JOURNAL_IMG + name + IMAGE_EXTENSION, (200, 150), "sprite", {"color": colour, "label": name})
              for name, colour in JOURNAL_PICTURES]
    lines += _dialog_pair("OptionsMenu", "Panel.png", (520, 580), DIALOG_PANEL, False)
    lines += _dialog_pair("HighScore", "Panel.png", (512, 460), DIALOG_PANEL, False)
    # The rune sheet's clips draw the sheet itself; it stays after opening.
    lines.append(("animations/RuneSheet/Sheet.png", (480, 512), "panel", {"color": "#d9c79c", "label": False}))
    for clip, mode in (("Open", "open"), ("Close", "close")):
        lines.append(animations.table_line("animations/RuneSheet/%s.xml" % clip, "dialog",
                                           {"image": "Sheet.png", "size": (480, 512), "length": 300, "mode": mode}))
    return lines
