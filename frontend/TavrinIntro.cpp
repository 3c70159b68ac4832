#include "frontend/TavrinIntro.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/anim/Tweens.h"
#include "engine/audio/Music.h"
#include "engine/core/AppContext.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "frontend/CreditsScreen.h"
#include "frontend/FrontendUi.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/StoryRoutes.h"
#include "frontend/StoryVoice.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"

namespace {
const char* const LineFont = "FONT_JESTER16";
const char* const LineImage = "content/images/menus/IntroLine";
const int CloudY = 442;
const int LineBase = 408;
const uint8_t Copied = 0;

int cloudHeight(ResourceManager* res)
{
    GLTexture* cloud = res ? res->findTexture("INTRO_CLOUD") : nullptr;
    return cloud ? cloud->getHeight() : 0;
}
} // namespace

TavrinIntro::TavrinIntro(bool* isEpilogue)
    : ScreenBase(std::string())
    , epilogue(isEpilogue && *isEpilogue)
    , msPerPixel(epilogue ? EpilogueMsPerPixel : PrologueMsPerPixel)
{
    text = FrontendUi::label(epilogue ? "OUTRO_POEM" : "JOURNAL_0_0");
    StoryVoice::play(voice());
    if (epilogue) {
        AppContext* app = appContext();
        ResourceManager* res = app ? app->getResources() : nullptr;
        if (Music* theme = res ? res->getMusic("MUSIC_MAIN_THEME") : nullptr)
            theme->play(-1);
    }
    makeLines();
}

TavrinIntro::~TavrinIntro() = default;

const char* TavrinIntro::voice() const
{
    return epilogue ? "VO_EPILOGUE" : "VO_PROLOGUE";
}

std::vector<std::string> TavrinIntro::splitLines(const std::string& all)
{
    std::vector<std::string> out(1);
    for (char c : all) {
        if (c == '\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

int TavrinIntro::crawlDistance(int cloud, int lineHeight, int count)
{
    return static_cast<int>(cloud * 0.5 + lineHeight * count);
}

void TavrinIntro::makeLines()
{
    Font* font = FrontendUi::font(LineFont);
    const int lineHeight = font ? font->getLineHeight() : 0;
    const std::string file = LineImage + getParamString("Game.Images.Extension", ".jpg");
    const std::vector<std::string> pieces = splitLines(text);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        auto* texture = new GLTexture(file, nullptr, GLTexture::KeepImage);
        getResources()->addTexture(texture);
        Image* image = texture->getImage();
        if (font && image && image->graphics()) {
            texture->releaseGpu();
            font->drawTextInBox(image->graphics(), WidgetGeometry(0, 0, 0, texture->getWidth(), texture->getHeight()),
                                pieces[i], Color::white(), 2, 2, true, &Copied);
            texture->upload();
        }
        lines.push_back({LineX, static_cast<int>(i) * lineHeight, texture});
    }
    textHeight = lineHeight * static_cast<int>(pieces.size());
}

void TavrinIntro::loadResources()
{
    registerIntroResources(getResources());
}

void TavrinIntro::build()
{
    const int distance = static_cast<int>(cloudHeight(getResources()) * 0.5 + textHeight);
    crawl = then(then(std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &alpha, 255),
                      std::make_unique<RelIncrementator<int>>(Duration(distance * msPerPixel), &scroll, -distance)),
                 std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &alpha, -255));
    crawl->start(this, 0);
}

void TavrinIntro::onUpdate(int dt)
{
    if (crawl && crawl->isRunning())
        crawl->update(dt);
}

void TavrinIntro::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    const Color tint(255, 255, 255, static_cast<uint8_t>(alpha));
    if (GLTexture* map = res->findTexture("INTRO_BG"))
        g.drawImage(0, 0, map, Color::white());
    if (GLTexture* portrait = res->findTexture(epilogue ? "INTRO_VELMOR_WITH_STAFF" : "INTRO_VELMOR"))
        g.drawImage(1004 - portrait->getWidth(), 542 - portrait->getHeight(), portrait, tint);
    const int cloud = cloudHeight(res);
    if (GLTexture* band = res->findTexture("INTRO_CLOUD"))
        g.drawImage(0, CloudY, band, tint);
    if (Font* heading = FrontendUi::font("FONT_TIMES24"))
        heading->drawRun(g, 130, 522, FrontendUi::label(epilogue ? "JOURNAL_EPILOGUE" : "JOURNAL_PROLOGUE"), tint);
    Font* font = FrontendUi::font(LineFont);
    const int lineHeight = font ? font->getLineHeight() : 0;
    g.setClipRect(WindowX, WindowY, WindowW, WindowH);
    g.enableClip(true);
    for (const Line& line : lines) {
        const int y = cloud + line.y + scroll + LineBase;
        if (WindowY - lineHeight < y && y < WindowY + WindowH)
            g.drawImage(line.x, y, line.texture, tint);
    }
    g.enableClip(false);
}

void TavrinIntro::onKey(KeyEvent* event)
{
    if (!event || event->key != 27 || event->type != KeyEvent::Pressed || getState() != Running)
        return;
    if (crawl && crawl->isRunning())
        crawl->stop();
    close(CloseCode, true);
}

void TavrinIntro::onActionFinished(int32_t id)
{
    if (id == 0 && getState() == Running)
        close(CloseCode, true);
}

void TavrinIntro::onClosed(int)
{
    StoryVoice::stop(voice());
    const bool last = epilogue;
    const int questId = QuestManager::instance()->currentId();
    ScreenRoutes::leave(this);
    if (last) {
        if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile()) {
            profile->resetProgress();
            profile->setGameStarted(true);
            profile->setFlowIndex(0);
        }
        GameFlow::instance()->index = 0;
        ItemRegistry::instance()->clear();
        QuestManager::instance()->reset();
        ScreenRoutes::show(new CreditsScreen(false));
        return;
    }
    ScreenRoutes::show(ScreenRoutes::storyScreen(StoryRoutes::afterPrologue(questId), StoryRoutes::prologueChapter()));
}
