#include "frontend/MainMenu.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/FadeInTransition.h"
#include "engine/anim/FadeOutTransition.h"
#include "engine/audio/Music.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextLabel.h"
#include "frontend/ClothSimulation.h"
#include "frontend/FrontendUi.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/MiniGamesMenu.h"
#include "frontend/OptionsMenu.h"
#include "frontend/PlayerProfilesMenu.h"
#include "frontend/QuitDialogScreen.h"
#include "frontend/ScenesMenu.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/TavrinIntro.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"
#include "game/GameShell.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "scenes/MyLightningWidget.h"
#include "scenes/RainWidget.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

namespace {

const char* const CloudsClip = "content/animations/MainMenu/Clouds.xml";
const char* const LogoClip = "content/animations/MainMenu/Logo.xml";
const char* const RainPatch = "content/images/menus/RainPatch";
enum AnimationId { CloudsAnimation = 0, LogoAnimation = 1 };
const int ThunderId = 0;

// Rain: density 80 of 0-100, colour white at alpha 32 (red in the lowest byte),
// and the tilt handed to the widget as it stands.
const int RainDensity = 80;
const uint32_t RainColour = 255u | 255u << 8 | 255u << 16 | 32u << 24;
const float RainTilt = 300.f;

const WidgetGeometry CaptionBox(1, 7, 0, 204, 34);
const int LabelX = 111;
const int LabelY = 171;

struct ButtonRow {
    int id;
    const char* caption;
    const char* tooltip;
    int x;
};
const ButtonRow Buttons[] = {
    {MainMenu::PlayButton, "PLAY", "TOOLTIP_BTN_PLAY", 80},
    {MainMenu::ProfilesButton, "CHANGE_PROFILE", "TOOLTIP_BTN_PROFILES", 305},
    {MainMenu::OptionsButton, "OPTIONS", "TOOLTIP_BTN_OPTIONS", 533},
    {MainMenu::ExitButton, "EXIT", "TOOLTIP_BTN_EXIT_GAME", 761},
};
const int ButtonY = 705;

} // namespace

MainMenu::MainMenu()
    : ScreenBase3D(std::string())
    , player(std::make_unique<AnimationPlayer>())
{
    if (AppContext* app = appContext()) {
        if (ResourceManager* res = app->getResources()) {
            if (Music* theme = res->getMusic("MUSIC_MAIN_THEME"))
                theme->play(-1);
        }
    }
    setInTransition(new FadeInTransition(FadeMs));
    setOutTransition(new FadeOutTransition(FadeMs));
    camera.eye = Vec3(-2.4f, -2.6f, 100.f);
    camera.center = Vec3(-2.4f, -2.6f, 0.f);
    camera.up = Vec3(0.f, 1.f, 0.f);
}

MainMenu::~MainMenu()
{
    // The clips' widgets belong to the screen; the player goes first.
    player.reset();
}

void MainMenu::onKey(KeyEvent*) {}

std::string MainMenu::playerName()
{
    const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
    return profile ? profile->getName() : std::string();
}

void MainMenu::activate(GameApp* app)
{
    if (nameLabel)
        nameLabel->setText(playerName());
    ScreenBase3D::activate(app);
}

void MainMenu::loadResources()
{
    registerMainMenuResources(getResources());
}

void MainMenu::build()
{
    ResourceManager* res = getResources();
    sky = res->findTexture("MAIN_BG");
    sword = res->findTexture("MAIN_SWORD");
    knot = res->findTexture("MAIN_KNOT");

    if (player->loadAnimation(CloudsAnimation, CloudsClip))
        player->playAnimation(CloudsAnimation, 2, 0, 0, this);
    if (player->loadAnimation(LogoAnimation, LogoClip))
        player->playAnimation(LogoAnimation, 1, 0, 0, this);

    const std::string extension = getParamString("Game.Images.Extension", ".jpg");
    rain = new RainWidget();
    rain->setup(RainPatch + extension, RainDensity, res, RainColour, RainTilt);
    addWidget(rain);

    lightning = std::make_unique<MyLightningWidget>();
    lightning->bounds = WidgetGeometry(0, 0, 0, 1024, 768);
    lightning->start = PointF(250.f, 0.f);
    lightning->width = 4;
    lightning->angle = 40.f;
    lightning->spread = 140.f;
    lightning->branching = true;

    addButtons();
    addLabels();
    // A thunder schedules the next before it leaves the list: two delays
    // and their places are all the storm ever needs.
    thunderDelays.reserve(4);
    spareDelays.reserve(4);
    for (int i = 0; i < 2; ++i)
        spareDelays.push_back(std::make_unique<ActionDelay>(Duration(0)));
    scheduleThunder();

    const Vec3 gravity(0.f, -0.5f, 0.f);
    bigBanner = std::make_unique<ClothSimulation>();
    ClothSimulation::create(60, 4, bigBanner.get(), 5, res->findTexture("MAIN_RIBBON_BIG"), gravity);
    smallBanner = std::make_unique<ClothSimulation>();
    ClothSimulation::create(30, 4, smallBanner.get(), 5, res->findTexture("MAIN_RIBBON_SMALL"), gravity);
}

void MainMenu::addButtons()
{
    ResourceManager* res = getResources();
    GLTexture* normal = res->findTexture("MAIN_BTN_N");
    GLTexture* over = res->findTexture("MAIN_BTN_O");
    const ButtonDesc desc = FrontendUi::buttonDesc(normal, over, over, normal, CaptionBox);
    for (const ButtonRow& row : Buttons) {
        QuarnButton* button = FrontendUi::makeButton(this, row.id, desc, FrontendUi::label(row.caption),
                                                     FrontendUi::label(row.tooltip), row.x, ButtonY, over);
        addWidget(button);
    }
}

void MainMenu::addLabels()
{
    Font* font = FrontendUi::font("FONT_TIMES24");
    const Color white = Color::white();
    const Color clear(0, 0, 0, 0);
    const int lineHeight = font ? font->getLineHeight() : 0;

    const std::string welcome = FrontendUi::label("WELCOME");
    auto* welcomeLabel = new TextLabel(welcome, font, TextLabel::Left, white, clear);
    const int welcomeWidth = FrontendUi::textWidth(font, welcome);
    welcomeLabel->setBounds(LabelX, LabelY, welcomeWidth, lineHeight);
    addWidget(welcomeLabel);

    nameLabel = new TextLabel(playerName(), font, TextLabel::Left, white, clear);
    // Wide enough for any name the entry accepts.
    nameLabel->setBounds(LabelX + welcomeWidth, LabelY, 1024 - LabelX - welcomeWidth, lineHeight);
    addWidget(nameLabel);
}

int MainMenu::thunderDelay(int minMs, int maxMs)
{
    // randomBelow gives 0 for a range of 0 or less: no random part then.
    const int r = randomBelow(maxMs - minMs);
    const int d = randomBelow(10);
    return d >= 2 ? minMs + r : QuickThunderMs;
}

// A thunder is scheduled while the menu plays: the keys are kept as strings
// and spent delays are started again, so that it allocates nothing.
void MainMenu::scheduleThunder()
{
    static const std::string MinKey = "MainMenu.MinThunderInterval";
    static const std::string MaxKey = "MainMenu.MaxThunderInterval";
    const int length = thunderDelay(getParamInt(MinKey, DefaultMinThunderMs), getParamInt(MaxKey, DefaultMaxThunderMs));
    std::unique_ptr<ActionDelay> delay;
    if (spareDelays.empty()) {
        delay = std::make_unique<ActionDelay>(Duration(length));
    } else {
        delay = std::move(spareDelays.back());
        spareDelays.pop_back();
        delay->setLength(length);
    }
    delay->start(this, ThunderId);
    thunderDelays.push_back(std::move(delay));
}

int MainMenu::pendingThunders() const
{
    return static_cast<int>(std::count_if(thunderDelays.begin(), thunderDelays.end(),
                                          [](const std::unique_ptr<ActionDelay>& d) { return d->isRunning(); }));
}

void MainMenu::onActionFinished(int32_t id)
{
    if (id != ThunderId || !lightning)
        return;
    lightning->start = PointF(static_cast<float>(randomBelow(700)), 0.f);
    lightning->strike();
    scheduleThunder();
}

void MainMenu::onUpdate(int dt)
{
    // A delay that runs out schedules the next one: only those present at
    // the start of the frame are advanced, by index.
    const size_t count = thunderDelays.size();
    for (size_t i = 0; i < count; ++i) {
        if (thunderDelays[i]->isRunning())
            thunderDelays[i]->update(dt);
    }
    // Spent delays leave the list, so that a menu left open for hours does
    // not pile them up; they wait to be started again.
    for (size_t i = 0; i < thunderDelays.size();) {
        if (thunderDelays[i]->isRunning()) {
            ++i;
            continue;
        }
        spareDelays.push_back(std::move(thunderDelays[i]));
        thunderDelays.erase(thunderDelays.begin() + static_cast<std::ptrdiff_t>(i));
    }

    wind.step();
    const Vec3 windVector = wind.vector();
    if (smallBanner) {
        ClothSimulation::update(smallBanner.get(), dt);
        smallBanner->wind = windVector;
    }
    if (bigBanner) {
        ClothSimulation::update(bigBanner.get(), dt);
        bigBanner->wind = windVector;
    }
    if (lightning)
        lightning->update(dt, this);
}

void MainMenu::drawUnder3D(Graphics& g)
{
    const Color white = Color::white();
    if (sky)
        g.drawImage(0, 0, sky, white);
    // The sky again, faintly, veils the bolt. Over the sky alone it would
    // change no pixel, so it is drawn only while the bolt or its flash shows.
    if (lightning && (lightning->getBoltAlpha() > 0 || lightning->getFlashAlpha() > 0)) {
        lightning->draw(g, this);
        if (sky)
            g.drawImage(0, 0, sky, Color(255, 255, 255, 50));
    }
    if (sword) {
        AppContext* app = appContext();
        const int height = app ? app->getHeight() : 768;
        g.drawImage(96, height - sword->getHeight(), sword, white);
    }
}

void MainMenu::draw3D(Graphics&)
{
    if (!bigBanner || !smallBanner)
        return;
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.f};
    const GLfloat diffuse[] = {1.f, 1.f, 1.f, 1.f};
    const GLfloat specular[] = {0.3f, 0.3f, 0.3f, 1.f};
    const GLfloat position[] = {20.f, 0.f, 5.f, 1.f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glPushMatrix();
    ClothSimulation::render(smallBanner.get());
    ClothSimulation::render(bigBanner.get());
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void MainMenu::drawBackground(Graphics& g)
{
    if (knot)
        g.drawImage(499, 331, knot, Color::white());
}

void MainMenu::onEntered()
{
    if (PlayerProfiles::instance()->profileCount() == 0)
        showProfilesMenu();
}

void MainMenu::showProfilesMenu()
{
    ScreenRoutes::show(new PlayerProfilesMenu());
}

void MainMenu::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    switch (id) {
    case PlayButton:
        // Without a profile there is no story to start or resume, nor a
        // map to go on from: play would be saved to nobody.
        if (!PlayerProfiles::instance()->currentProfile())
            showProfilesMenu();
        else
            close(PlayCode, true);
        break;
    case ProfilesButton:
        showProfilesMenu();
        break;
    case OptionsButton:
        ScreenRoutes::show(new OptionsMenu());
        break;
    case ExitButton:
        if (GameShell::instance())
            ScreenRoutes::show(new QuitDialogScreen(appContext()));
        else
            close(QuitCode, true);
        break;
    default:
        break;
    }
}

void MainMenu::onClosed(int resultCode)
{
    AppContext* app = appContext();
    ScreenRoutes::leave(this);
    switch (resultCode) {
    case PlayCode:
        play();
        break;
    case QuitCode:
        if (app)
            app->requestQuit();
        break;
    case ScenesMenuCode:
        ScreenRoutes::show(new ScenesMenu());
        break;
    case MiniGamesMenuCode:
        ScreenRoutes::show(new MiniGamesMenu());
        break;
    default:
        // A code nothing answers: a new menu rather than an empty screen.
        logWarning("main menu: no screen for close code " + std::to_string(resultCode) + "; the menu again");
        ScreenRoutes::show(new MainMenu());
        break;
    }
}

void MainMenu::play()
{
    GameFlow* flow = GameFlow::instance();
    PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
    if (!profile) {
        // PLAY checks this before closing; a menu closed with code 0 from
        // elsewhere still leaves the player a way on.
        ScreenRoutes::show(new MainMenu());
        return;
    }
    if (QuestManager::instance()->isMapReached()) {
        int location = -1;
        ScreenRoutes::show(new MapOfKingdom(&location));
        return;
    }
    if (profile->isGameStarted()) {
        // The profile read at the game's start was restored before the
        // story was: a stored position past its end is brought into it here.
        profile->fitFlowIndex(*flow, *QuestManager::instance());
        flow->index = profile->getFlowIndex();
        ScreenRoutes::show(ScreenRoutes::flowScreenOrMenu(false));
        return;
    }
    profile->resetProgress();
    profile->setGameStarted(true);
    flow->index = 0;
    ItemRegistry::instance()->clear();
    QuestManager::instance()->reset();
    bool epilogue = false;
    auto* prologue = new TavrinIntro(&epilogue);
    prologue->setInTransition(new FadeInTransition(FadeMs));
    prologue->setOutTransition(new FadeOutTransition(FadeMs));
    ScreenRoutes::show(prologue);
}
