#include "tests/driver/StoryProbes.h"

#include "frontend/ChapterTransition.h"
#include "frontend/CreditsScreen.h"
#include "frontend/DiaryScreen.h"
#include "frontend/OptionsMenu.h"
#include "frontend/TavrinIntro.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/GameDriver.h"

#include <string>
#include <vector>

namespace {

void probeStory(ScreenBase* top, GameDriver::DumpLines& out)
{
    if (auto* journal = dynamic_cast<DiaryScreen*>(top)) {
        out.emplace_back("journal.current", std::to_string(journal->getCurrent()));
        out.emplace_back("journal.entry", std::to_string(journal->getOpenAtEntryId()));
        out.emplace_back("journal.turning", journal->isTurning() ? "1" : "0");
    } else if (auto* credits = dynamic_cast<CreditsScreen*>(top)) {
        out.emplace_back("credits.current", std::to_string(credits->getCurrent()));
        out.emplace_back("credits.pages", std::to_string(credits->getPages().size()));
    } else if (auto* intro = dynamic_cast<TavrinIntro*>(top)) {
        out.emplace_back("intro.epilogue", intro->isEpilogue() ? "1" : "0");
        out.emplace_back("intro.lines", std::to_string(intro->lineCount()));
    } else if (auto* transition = dynamic_cast<ChapterTransition*>(top)) {
        out.emplace_back("chapter.number", std::to_string(transition->getChapter()));
        out.emplace_back("chapter.alpha", std::to_string(transition->getAlpha()));
    } else if (auto* options = dynamic_cast<OptionsMenu*>(top)) {
        OptionsSettings& settings = options->getSettings();
        out.emplace_back("options.open", options->isOpen() ? "1" : "0");
        out.emplace_back("options.music", std::to_string(settings.getMusicVolume()));
        out.emplace_back("options.sound", std::to_string(settings.getSoundVolume()));
        out.emplace_back("options.fullscreen", settings.isFullScreen() ? "1" : "0");
    }
}

std::string showStoryScreen(GameDriver& game, const std::string& which)
{
    QuillendarApp* app = game.app();
    if (!app)
        return "story: no game";
    ScreenBase* screen = nullptr;
    bool epilogue = which == "epilogue";
    if (which == "prologue" || which == "epilogue")
        screen = new TavrinIntro(&epilogue);
    else if (which == "credits")
        screen = new CreditsScreen(false);
    else
        return "story: no screen called '" + which + "'";
    while (app->topScreen())
        app->popScreen();
    app->showScreen(screen);
    return std::string();
}

} // namespace

void addStoryProbes(GameDriver& game)
{
    game.addProbe([](ScreenBase* top, GameDriver::DumpLines& out) { probeStory(top, out); });
    game.driver().addCommand("story", 1, 1, [&game](HeadlessDriver&, const std::vector<std::string>& a) {
        return showStoryScreen(game, a[0]);
    });
}
