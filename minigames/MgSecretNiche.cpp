#include "minigames/MgSecretNiche.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/TextLabelEx.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "game/ContentTables.h"
#include "minigames/CypherWheelWidget.h"
#include "minigames/DialRotation.h"
#include "minigames/ScaleImage.h"

#include <cstdio>

const Point MgSecretNiche::KeyCorner(226, 260);
const Point MgSecretNiche::DrawerCorner(411, 336);

namespace {
const WidgetGeometry RiddleBox(0, 10, 0, 1024, 40);
constexpr int DrawerMargin = 20;
} // namespace

MgSecretNiche::MgSecretNiche(int questId)
    : MgCypherWheel(questId)
    , keyX(KeyCorner.x)
    , keyY(KeyCorner.y)
{
}

MgSecretNiche::~MgSecretNiche() = default;

float MgSecretNiche::keyScaleFor(int drawerWidth, int keyWidth)
{
    return keyWidth > 0 ? static_cast<float>(drawerWidth - DrawerMargin) / static_cast<float>(keyWidth) : 1.f;
}

void MgSecretNiche::loadResources()
{
    MgCypherWheel::loadResources();
    registerSecretNicheResources(getResources());
}

void MgSecretNiche::build()
{
    MgCypherWheel::build();
    ResourceManager* res = getResources();
    GLTexture* keyTexture = res->findTexture("MG_SECRETNICHE_KEY");
    GLTexture* drawerTexture = res->findTexture("MG_SECRETNICHE_DRAWER");
    keyScale = keyScaleFor(drawerTexture ? drawerTexture->getWidth() : 0, keyTexture ? keyTexture->getWidth() : 0);
    key = new ScaleImage(keyTexture, keyX, keyY, true);
    key->scale = keyScale;
    addWidget(key);
    drawer = new ImageWidget(drawerTexture, DrawerCorner.x, DrawerCorner.y, true);
    addWidget(drawer);
    riddle = new TextLabelEx(label("TUTORIAL_RIDDLE_QUEST38"), FONT_TIMES24, Color::white(), Color(0, 0, 0, 0));
    riddle->setBounds(RiddleBox.x, RiddleBox.y, RiddleBox.w, RiddleBox.h);
    // A text, not a control: the pointer goes through it.
    riddle->setEnabled(false);
    addWidget(riddle);
    if (wheel)
        wheel->setDirectionMode(DialRotation::DecreasingOnly);
}

void MgSecretNiche::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    if (id != CypherWheelWidget::WheelId || state != 1 || !wheel)
        return;
    if (wheel->isInPlace())
        reveal();
    else
        resetPuzzle();
}

void MgSecretNiche::resetPuzzle()
{
    playUiSound("MG_SECRETNICHE_RESET");
    solution.reset();
    if (wheel && solution.size() > 0)
        wheel->setTargetAngle(solution.targetAngle());
    for (ImageWidget* word : wordImages)
        word->setTint(whiteWithAlpha(0));
}

ImageWidget* MgSecretNiche::wordImageFor(const SolutionComponent& piece)
{
    const size_t index = static_cast<size_t>(solution.index());
    if (index < wordImages.size()) {
        wordImages[index]->setPosition(piece.wordPosition.x, piece.wordPosition.y);
        return wordImages[index];
    }
    ImageWidget* word = MgCypherWheel::wordImageFor(piece);
    wordImages.push_back(word);
    return word;
}

std::string MgSecretNiche::revealSound() const
{
    return "MG_SECRETNICHE_INPLACE";
}

void MgSecretNiche::onSolved()
{
    markSolved();
    drawerFading = true;
    auto fade = std::make_unique<ActionSequence>();
    fade->add(std::make_unique<RelIncrementator<int>>(Duration(DrawerFadeMs), &drawerAlpha, -255));
    fade->start(this, DrawerFadeAction);
    addAction(std::move(fade));
}

void MgSecretNiche::placeKey()
{
    if (!key)
        return;
    key->scale = keyScale;
    key->setPosition(keyX, keyY);
}

void MgSecretNiche::onActionFinished(int32_t id)
{
    switch (id) {
    case DrawerFadeAction: {
        drawerFading = false;
        if (drawer)
            drawer->setTint(whiteWithAlpha(drawerAlpha));
        auto move = std::make_unique<ParalelAction>();
        move->add(std::make_unique<RelIncrementator<float>>(Duration(KeyMoveMs), &keyScale, 1.f - keyScale));
        move->add(std::make_unique<RelIncrementator<int>>(Duration(KeyMoveMs), &keyY, -KeyRise));
        move->start(this, KeyMoveAction);
        addAction(std::move(move));
        if (key)
            getWidgetManager()->raiseWidget(key);
        keyMoving = true;
        playUiSound("MG_SECRETNICHE_KEYMOVING");
        break;
    }
    case KeyMoveAction: {
        keyMoving = false;
        placeKey();
        if (key)
            key->startGlow(getResources()->findTexture("MG_SECRETNICHE_KEY_GLOW"));
        auto wait = std::make_unique<ActionDelay>(Duration(KeyGlowWaitMs));
        wait->start(this, KeyGlowAction);
        addAction(std::move(wait));
        break;
    }
    case KeyGlowAction:
        scheduleFinish();
        break;
    default:
        MgCypherWheel::onActionFinished(id);
        break;
    }
}

void MgSecretNiche::onUpdate(int dt)
{
    MgCypherWheel::onUpdate(dt);
    if (drawerFading && drawer)
        drawer->setTint(whiteWithAlpha(drawerAlpha));
    if (keyMoving)
        placeKey();
}

std::string MgSecretNiche::puzzleState() const
{
    char scale[16];
    std::snprintf(scale, sizeof scale, "%.2f", static_cast<double>(key ? key->scale : keyScale));
    return MgCypherWheel::puzzleState() + " key=" + std::to_string(keyX) + "," + std::to_string(keyY) + " scale=" +
           scale + " drawer=" + std::to_string(drawerAlpha);
}
