#include "minigames/MgScrambledDial.h"

#include "engine/store/ConfigFile.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/WidgetManager.h"
#include "minigames/DialWidget.h"
#include "minigames/FinalImage.h"

#include <cmath>

namespace {
const char* const ImageFolder = "content/images/minigames/05_scrdial/";
constexpr float DefaultTolerance = 1.f;
constexpr float DefaultFactor = 1.f;
} // namespace

MgScrambledDial::MgScrambledDial(int questId)
    : MiniGameBase(questId)
    , hasFinal(getParamBool(key("HasFinal"), false))
{
}

MgScrambledDial::~MgScrambledDial() = default;

std::string MgScrambledDial::key(const std::string& setting) const
{
    return "MgScrambledDial." + questKey + "." + setting;
}

GLTexture* MgScrambledDial::loadImage(const std::string& name)
{
    return addImage(ImageFolder + questKey + "/" + name + imageExtension);
}

void MgScrambledDial::build()
{
    MiniGameBase::build();
    const bool hasBackground = requiredBool(key("HasBackground"), false);
    imageExtension = getParamString("Game.Images.Extension", std::string());
    if (hasBackground)
        addWidget(new ImageWidget(loadImage("bg"), 0, 0, true));
    const int count = requiredCount(key("NumberOfDials"), MaxDials);
    angleTolerance = getParamFloat(key("AngleTolerance"), DefaultTolerance);
    rotationFactor = getParamFloat(key("RotationFactor"), DefaultFactor);
    for (int i = 0; i < count; ++i) {
        const int x = requiredInt(key("DialsPosX"), 0);
        const int y = requiredInt(key("DialsPosY"), 0);
        auto* dial = new DialWidget(true, this, FirstDialId + i, loadImage("circ" + std::to_string(i)),
                                    angleTolerance, rotationFactor);
        dial->setPosition(x, y);
        addWidget(dial);
        dials.push_back(dial);
    }
    if (hasFinal) {
        finalImage = new FinalImage(loadImage("final"), this);
        addWidget(finalImage);
    }
    raiseFrameButtons();
}

void MgScrambledDial::onButton(int id, int state)
{
    MiniGameBase::onButton(id, state);
    // A screen on its way out (skipped) has no puzzle left to win.
    if (state != 1 || won || getState() == Leaving)
        return;
    for (const DialWidget* dial : dials) {
        if (!dial->isInPlace())
            return;
    }
    // The fade runs once from 0 to 255 and the solved sequence follows once.
    won = true;
    markSolved();
    if (!finalImage) {
        onSolved();
        return;
    }
    getWidgetManager()->raiseWidget(finalImage);
    raiseFrameButtons();
    finalImage->startFade();
}

void MgScrambledDial::onFinalShown()
{
    onSolved();
}

std::string MgScrambledDial::puzzleState() const
{
    std::string angles;
    std::string locked;
    for (const DialWidget* dial : dials) {
        angles += (angles.empty() ? "" : ",") + std::to_string(static_cast<int>(std::lround(dial->getAngle())));
        locked += dial->isInPlace() && !dial->isActive() ? '1' : '0';
    }
    std::string out = "dials=" + angles + " locked=" + locked;
    if (finalImage)
        out += " final=" + std::to_string(finalImage->getAlpha());
    return out + (won ? " won" : "");
}
