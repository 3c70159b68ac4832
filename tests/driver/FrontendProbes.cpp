#include "tests/driver/FrontendProbes.h"

#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleTextListWidget.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/TextLabel.h"
#include "engine/ui/TextLabelEx.h"
#include "frontend/ChapterTransition.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/DialogCharacterSet.h"
#include "frontend/DialogScreen.h"
#include "frontend/DialogSequence.h"
#include "frontend/MainMenu.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/MyDialog.h"
#include "frontend/PlayerNameEntry.h"
#include "frontend/PlayerProfilesMenu.h"
#include "frontend/QuitDialogScreen.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/KeyNames.h"

#include <string>
#include <vector>

namespace {

using Lines = GameDriver::DumpLines;

std::string flag(bool on)
{
    return on ? "1" : "0";
}

std::string joined(const std::vector<int>& values)
{
    std::string out;
    for (size_t i = 0; i < values.size(); ++i)
        out += (i ? "," : "") + std::to_string(values[i]);
    return out;
}

bool shown(const Widget* w)
{
    return w && w->isVisible() && w->isEnabled();
}

void probeProfiles(Lines& out)
{
    PlayerProfiles* profiles = PlayerProfiles::instance();
    std::string names;
    for (int i = 0; i < profiles->profileCount(); ++i)
        names += (i ? "," : "") + profiles->profileAt(i)->getName();
    out.emplace_back("profiles.names", names);
    out.emplace_back("profiles.current", std::to_string(profiles->getCurrentIndex()));
}

void probeTop(ScreenBase* top, Lines& out)
{
    if (auto* menu = dynamic_cast<MainMenu*>(top)) {
        out.emplace_back("menu.name", menu->getNameLabel() ? menu->getNameLabel()->getText() : "-");
        out.emplace_back("menu.thunders", std::to_string(menu->pendingThunders()));
    } else if (auto* list = dynamic_cast<PlayerProfilesMenu*>(top)) {
        out.emplace_back("profilesmenu.open", flag(list->isOpen()));
        if (SimpleTextListWidget* lines = list->getList()) {
            std::string text;
            for (int i = 0; i < lines->lineCount(); ++i)
                text += (i ? "," : "") + lines->getLine(i);
            out.emplace_back("profilesmenu.lines", text);
            out.emplace_back("profilesmenu.selected", std::to_string(lines->getSelectedIndex()));
        }
        out.emplace_back("profilesmenu.question", flag(list->getDeleteQuestion() != nullptr));
    } else if (auto* entry = dynamic_cast<PlayerNameEntry*>(top)) {
        out.emplace_back("entry.mode", entry->isCreateMode() ? "create" : "rename");
        out.emplace_back("entry.text", entry->getField() ? entry->getField()->getText() : "-");
        out.emplace_back("entry.ok", flag(shown(entry->getOkButton())));
        out.emplace_back("entry.cancel", flag(shown(entry->getCancelButton())));
        out.emplace_back("entry.fearless", flag(entry->getFearlessBox() && entry->getFearlessBox()->isChecked()));
    } else if (auto* dialog = dynamic_cast<DialogScreen*>(top)) {
        out.emplace_back("dialog.path", dialog->getDialogPath());
        out.emplace_back("dialog.overlay", flag(dialog->isOverlay()));
        out.emplace_back("dialog.dim", std::to_string(dialog->getDimAlpha()));
        out.emplace_back("dialog.continue", flag(shown(dialog->getContinueButton())));
        if (MyDialog* conversation = dialog->getDialog()) {
            out.emplace_back("dialog.step", std::to_string(conversation->getSequence()->nextIndex()));
            out.emplace_back("dialog.ended", flag(conversation->isEnded()));
            out.emplace_back("dialog.speaker", std::to_string(conversation->speaker()));
            const DialogCharacter* who = conversation->getCharacters()
                                             ? conversation->getCharacters()->find(conversation->speaker())
                                             : nullptr;
            out.emplace_back("dialog.text", who ? who->getShownText() : "");
        }
    } else if (auto* map = dynamic_cast<MapOfKingdom*>(top)) {
        out.emplace_back("map.locations", joined(map->getLocations()));
        out.emplace_back("map.caption", map->getCaption() ? map->getCaption()->getText() : "-");
        out.emplace_back("map.menu", flag(shown(map->getMainMenuButton())));
        out.emplace_back("map.journal", flag(shown(map->getJournalButton())));
    } else if (auto* quit = dynamic_cast<QuitDialogScreen*>(top)) {
        out.emplace_back("quit.question", flag(quit->getQuestion() && quit->getQuestion()->isContentsShown()));
    }
}

std::string typeText(HeadlessDriver& driver, const std::vector<std::string>& words)
{
    for (size_t w = 0; w < words.size(); ++w) {
        if (w > 0)
            driver.pressKey("space");
        for (char c : words[w]) {
            std::string chord(1, c);
            if (c >= 'A' && c <= 'Z')
                chord = "shift+" + std::string(1, static_cast<char>(c - 'A' + 'a'));
            if (!driver.pressKey(chord))
                return "type: no key for '" + std::string(1, c) + "'";
            driver.step();
        }
    }
    return std::string();
}

std::string showScreen(GameDriver& game, const std::vector<std::string>& a)
{
    QuillendarApp* app = game.app();
    if (!app)
        return "show: no game";
    ScreenBase* screen = nullptr;
    if (a[0] == "mainmenu") {
        screen = new MainMenu();
    } else if (a[0] == "profiles") {
        screen = new PlayerProfilesMenu();
    } else if (a[0] == "chapter") {
        int chapter = 0;
        if (a.size() < 2 || !DriverScript::toInt(a[1], chapter))
            return "show chapter: the chapter is not a number";
        screen = new ChapterTransition(&chapter);
    } else if (a[0] == "map") {
        int location = -1;
        if (a.size() > 1 && !DriverScript::toInt(a[1], location))
            return "show map: the location is not a number";
        screen = new MapOfKingdom(&location);
    } else {
        return "show: no screen called '" + a[0] + "'";
    }
    while (app->topScreen())
        app->popScreen();
    app->showScreen(screen);
    return std::string();
}

std::string questCommand(const std::vector<std::string>& a)
{
    QuestManager* quests = QuestManager::instance();
    std::vector<int> ids;
    for (size_t i = 1; i < a.size(); ++i) {
        int id = 0;
        if (!DriverScript::toInt(a[i], id) || !quests->questAt(id))
            return "quests: no quest '" + a[i] + "'";
        ids.push_back(id);
    }
    if (a[0] == "done") {
        for (int id : ids)
            quests->complete(id);
    } else if (a[0] == "current" && ids.size() == 1) {
        quests->setCurrent(ids[0]);
    } else {
        return "quests: done N... or current N";
    }
    return std::string();
}

// The game takes at most 30 ms of time in one frame; the loop's own wait
// adds 10 ms. Long waits in frames that long draw a third of the frames.
constexpr uint32_t LongFrameMs = 30;
constexpr uint32_t LoopWaitMs = 10;

std::string runUntil(GameDriver& game, const std::vector<std::string>& a)
{
    int ms = 0;
    if (!DriverScript::toInt(a[0], ms) || ms < 0)
        return "until: the time limit '" + a[0] + "' is not a number of ms";
    std::string value;
    for (size_t i = 2; i < a.size(); ++i)
        value += (i > 2 ? " " : "") + a[i];
    HeadlessDriver& driver = game.driver();
    const uint64_t end = driver.now() + static_cast<uint64_t>(ms);
    while (game.stateValue(a[1]) != value) {
        if (driver.now() >= end)
            return "until: " + a[1] + " is '" + game.stateValue(a[1]) + "', not '" + value + "', after " + a[0] + " ms";
        driver.advanceTime(LongFrameMs - LoopWaitMs);
        if (!driver.step())
            return "until: the game ended";
    }
    return std::string();
}

} // namespace

void addFrontendProbes(GameDriver& game)
{
    game.addProbe([](ScreenBase* top, Lines& out) {
        probeProfiles(out);
        probeTop(top, out);
    });
    using Args = std::vector<std::string>;
    HeadlessDriver& driver = game.driver();
    driver.addCommand("type", 1, 100, [](HeadlessDriver& d, const Args& a) { return typeText(d, a); });
    driver.addCommand("show", 1, 2, [&game](HeadlessDriver&, const Args& a) { return showScreen(game, a); });
    driver.addCommand("quests", 2, 100, [](HeadlessDriver&, const Args& a) { return questCommand(a); });
    driver.addCommand("until", 2, 100, [&game](HeadlessDriver&, const Args& a) { return runUntil(game, a); });
}
