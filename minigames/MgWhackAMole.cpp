#include "minigames/MgWhackAMole.h"

#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/ClickableImageWidget.h"
#include "engine/ui/UiServices.h"
#include "engine/ui/WidgetManager.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "minigames/MgMatchElements.h"
#include "minigames/NeklacePiece.h"
#include "minigames/SquirrelWidget.h"

#include <algorithm>
#include <utility>

namespace {

const char* const Prefix = "MgWhackAMole.";
const char* const ImageFolder = "content/images/minigames/WhackAMole/";

// The necklace column: centred on x = ColumnCentre, from y = ColumnTop
// down, ColumnGap pixels between the pieces.
constexpr int ColumnCentre = 40;
constexpr int ColumnTop = 50;
constexpr int ColumnGap = 20;
const Color Silhouette(80, 80, 80, 230);
// Kept as a string: a squirrel rises during play, and a name this long built
// from a literal at each rise would allocate in the frame.
const std::string ShowSound = "MG_WHACKAMOLE_SHOW";
constexpr int DefaultShowChance = 50;

std::string key(const std::string& name)
{
    return Prefix + name;
}

} // namespace

MgWhackAMole::MgWhackAMole(int questId)
    : MiniGameBase(questId)
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
    , showChance(getParamInt(key("NeklaceShowChance"), DefaultShowChance))
{
}

void MgWhackAMole::loadResources()
{
    MiniGameBase::loadResources();
    registerWhackAMoleResources(getResources());
}

void MgWhackAMole::build()
{
    MiniGameBase::build();
    const int pieceCount = requiredCount(key("NumberOfPieces"), MaxPieces);
    std::vector<ImageWidget*> silhouettes;
    for (int i = 1; i <= pieceCount; ++i) {
        auto* shadow = new ImageWidget(addImage(ImageFolder + ("Piece" + std::to_string(i)) + imageExtension), 0, 0);
        shadow->setTint(Silhouette);
        shadow->setEnabled(false);
        addWidget(shadow);
        silhouettes.push_back(shadow);
    }
    for (int k = 1; k < pieceCount; ++k)
        std::swap(silhouettes[static_cast<size_t>(k)], silhouettes[static_cast<size_t>(randomBelow(k + 1))]);
    int y = ColumnTop;
    for (size_t s = 0; s < silhouettes.size(); ++s) {
        ImageWidget* shadow = silhouettes[s];
        const WidgetGeometry& g = shadow->getGeometry();
        shadow->setPosition(ColumnCentre - g.w / 2, y);
        slots.emplace_back(g.x, g.y);
        auto* piece = new NeklacePiece(shadow->getTexture(), this, FirstPieceId + static_cast<int>(s));
        addWidget(piece);
        pieces.push_back(piece);
        y += g.h + ColumnGap;
    }

    const int holes = requiredCount(key("NumberOfHoles"), MaxHoles);
    const int moveMs = requiredInt(key("SquirrelMoveDuration"), 0);
    const int delayMs = requiredInt(key("SquirrelDelayDuration"), 0);
    ResourceManager* res = getResources();
    for (int k = 0; k < holes; ++k) {
        const std::string n = std::to_string(k);
        GLTexture* holePicture = addImage(ImageFolder + ("Hole" + std::to_string(k + 1)) + imageExtension);
        const int x = requiredInt(key("Squirrel" + n + "X"), 0);
        const bool big = requiredString(key("Squirrel" + n + "Size"), "big") == "big";
        const bool left = stringToBool(requiredString(key("Squirrel" + n + "Left"), "true"));
        auto* squirrel = new SquirrelWidget(
            res->findTexture(big ? "MG_WHACKAMOLE_SQUIRREL_BIG" : "MG_WHACKAMOLE_SQUIRREL_SMALL"), x,
            requiredInt(key("Squirrel" + n + "Y"), 0), this, FirstSquirrelId + k, !left, moveMs, delayMs,
            requiredInt(key("Squirrel" + n + "EndX"), x) - x);
        addWidget(squirrel);
        squirrels.push_back(squirrel);
        // Above its squirrel: the hole's own pixels take the clicks there.
        addWidget(new ClickableImageWidget(holePicture, requiredInt(key("Hole" + n + "X"), 0),
                                           requiredInt(key("Hole" + n + "Y"), 0), this, HoleId, true));
    }

    rules = WhackAMoleRules(pieceCount, holes, requiredInt(key("SquirrelMinIntervalDuration"), 0),
                            requiredInt(key("SquirrelMaxIntervalDuration"), 0), randomBelow);
    rules.armTimer();
}

void MgWhackAMole::onUpdate(int dt)
{
    MiniGameBase::onUpdate(dt);
    if (playTimeRunning && state != Leaving && rules.advanceTimer(dt))
        showNextSquirrel();
}

void MgWhackAMole::showNextSquirrel()
{
    const WhackAMoleRules::Appearance a = rules.chooseAppearance();
    if (a.squirrel < 0)
        return;
    squirrels[static_cast<size_t>(a.squirrel)]->show(a.piece >= 0 ? pieces[static_cast<size_t>(a.piece)] : nullptr);
    playUiSound(ShowSound);
}

void MgWhackAMole::drawBackground(Graphics& g)
{
    if (GLTexture* background = getResources()->findTexture("MG_WHACKAMOLE_BG"))
        g.drawImage(0, 0, background, Color::white());
}

void MgWhackAMole::onButton(int id, int buttonState)
{
    // No question in this game: skipping leaves at once in both play modes.
    if (id == SkipButtonId && buttonState == 1) {
        if (state != Leaving)
            close(SkippedCode, true);
        return;
    }
    MiniGameBase::onButton(id, buttonState);
    if (id >= SkipButtonId)
        return;
    switch (buttonState) {
    case 0:
        squirrelPressed(id - FirstSquirrelId);
        break;
    case SquirrelWidget::BackState: {
        const int k = id - FirstSquirrelId;
        rules.squirrelBack(k);
        if (k >= 0 && k < static_cast<int>(squirrels.size()))
            squirrels[static_cast<size_t>(k)]->dropPiece();
        rules.armTimer();
        break;
    }
    case NeklacePiece::ArrivedState:
        if (rules.pieceArrived(id - FirstPieceId))
            onSolved();
        break;
    default:
        break;
    }
}

void MgWhackAMole::squirrelPressed(int k)
{
    if (k < 0 || k >= static_cast<int>(squirrels.size()))
        return;
    SquirrelWidget* squirrel = squirrels[static_cast<size_t>(k)];
    const int s = rules.hitSquirrel(k);
    squirrel->dropPiece();
    if (s < 0 || s >= static_cast<int>(pieces.size())) {
        playUiSound("MG_WHACKAMOLE_NOTHIT");
        return;
    }
    NeklacePiece* piece = pieces[static_cast<size_t>(s)];
    const Point& slot = slots[static_cast<size_t>(s)];
    piece->flyTo(slot.x, slot.y, 1.f);
    piece->setAlpha(255);
    if (WidgetManager* manager = piece->getManager())
        manager->raiseWidget(piece);
    playUiSound("MG_WHACKAMOLE_HIT");
}

void MgWhackAMole::onSolved()
{
    markSolved();
    if (state != Leaving)
        close(SolvedCode, true);
}

void MgWhackAMole::onClosed(int resultCode)
{
    if (resultCode == SkippedCode) {
        MiniGameBase::onClosed(resultCode);
        return;
    }
    // Popping deletes this screen: the quest id must be read before.
    const int quest = questId;
    ScreenRoutes::leave(this);
    ScreenRoutes::show(new MgMatchElements(quest));
}

void MgWhackAMole::setSquirrelsRunning(bool on)
{
    for (SquirrelWidget* squirrel : squirrels) {
        if (squirrel->isOut())
            squirrel->setRunning(on);
    }
}

void MgWhackAMole::onPlayPause()
{
    setSquirrelsRunning(false);
}

void MgWhackAMole::onPlayResume()
{
    setSquirrelsRunning(true);
}

std::string MgWhackAMole::puzzleState() const
{
    std::string states;
    for (int s = 0; s < rules.pieceCount(); ++s)
        states += static_cast<char>('0' + rules.pieceState(s));
    int outNow = -1;
    for (int k = 0; k < rules.squirrelCount(); ++k) {
        if (rules.isOut(k))
            outNow = k;
    }
    std::string out = "pieces=" + states + " out=" + std::to_string(outNow);
    if (outNow >= 0)
        out += " holding=" + std::to_string(rules.carriedBy(outNow));
    out += rules.isTimerArmed() ? " timer=armed" : " timer=off";
    out += " squirrels=";
    for (size_t k = 0; k < squirrels.size(); ++k) {
        const SquirrelWidget* squirrel = squirrels[k];
        out += (k ? "," : "") + std::to_string(squirrel->getGeometry().x) + ":" +
               std::to_string(squirrel->getTint().a);
    }
    return out;
}
