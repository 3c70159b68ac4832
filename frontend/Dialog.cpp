#include "frontend/Dialog.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "frontend/DialogCharacterSet.h"
#include "frontend/DialogScreen.h"
#include "frontend/DialogSequence.h"
#include "frontend/FrontendUi.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/SfxContainer.h"

namespace {

DialogFile::Conversation readOrEmpty(const std::string& path)
{
    DialogFile::Conversation conversation;
    // A failure has said so in one line and leaves the description empty.
    (void)DialogFile::readConversation(path, conversation);
    return conversation;
}

} // namespace

Dialog::Dialog(const std::string& path, AnimationPlayer* animationPlayer, ScreenBase* onScreen)
    : player(animationPlayer)
    , screen(onScreen)
{
    build(readOrEmpty(path));
}

Dialog::Dialog(const DialogFile::Conversation& conversation, AnimationPlayer* animationPlayer, ScreenBase* onScreen)
    : player(animationPlayer)
    , screen(onScreen)
{
    build(conversation);
}

Dialog::~Dialog()
{
    characters.reset();
    sequence.reset();
    background = nullptr;
    if (resourceIndex >= 0) {
        if (AppContext* app = appContext())
            app->destroyResourceManager(resourceIndex);
    }
}

void Dialog::build(const DialogFile::Conversation& c)
{
    if (AppContext* app = appContext())
        resources = app->createResourceManager(resourceIndex);
    if (!resources) {
        ownResources = std::make_unique<ResourceManager>();
        resources = ownResources.get();
        resourceIndex = -1;
    }

    if (!c.background.empty()) {
        background = new GLTexture(c.background);
        resources->addTexture(background);
    }
    openingSound = c.sound;
    if (!c.charactersFile.empty()) {
        characters = std::make_unique<DialogCharacterSet>();
        (void)characters->load(c.charactersFile);
    }
    for (const DialogFile::Reposition& r : c.repositions) {
        DialogCharacter* who = characters ? characters->find(r.id) : nullptr;
        if (who)
            who->reposition(r.x, r.y);
    }
    // No sequence reads as an empty one: the dialog then finishes at once.
    sequence = std::make_unique<DialogSequence>(this);
    for (DialogStep step : c.steps) {
        if (step.kind == DialogStep::Talk) {
            step.text = FrontendUi::label(step.textLabel);
            formatText(step.text);
        }
        sequence->add(step);
    }
    if (characters && player && screen) {
        for (int id : sequence->characterIds()) {
            if (DialogCharacter* who = characters->find(id))
                who->attach(player, screen);
        }
    }
    if (!openingSound.empty())
        SfxContainer::instance()->playSound(openingSound, false);
}

std::string Dialog::substituteName(const std::string& text, const std::string& name)
{
    std::string out;
    out.reserve(text.size() + name.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            if (text[i + 1] == 's') {
                out += name;
                ++i;
                continue;
            }
            if (text[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

void Dialog::formatText(std::string& text)
{
    if (text.find("%s") == std::string::npos && text.find("%%") == std::string::npos)
        return;
    const PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
    text = substituteName(text, profile ? profile->getName() : std::string());
}

void Dialog::requestAdvance()
{
    if (!paused && waiting)
        waiting = 0;
}

void Dialog::update(int dt, ScreenBase*)
{
    if (characters) {
        for (const auto& entry : characters->characters())
            entry.second->poll();
    }
    if (paused || ended)
        return;
    elapsed += dt;
    const bool over = (stepTimeout >= 0 && elapsed >= stepTimeout) || (stepTimeout == -1 && !waiting);
    if (!over)
        return;
    waiting = 1;
    nextStep();
    elapsed = 0;
}

void Dialog::showContinue(bool on)
{
    auto* host = dynamic_cast<DialogScreen*>(screen);
    if (!host)
        return;
    if (on)
        host->showContinueButton();
    else
        host->hideContinueButton();
}

void Dialog::nextStep()
{
    if (ended)
        return;
    DialogStep* step = sequence ? sequence->next() : nullptr;
    if (!step) {
        showContinue(false);
        ended = 1;
        onFinished();
        return;
    }
    currentStep = step;
    stepTimeout = step->timeout;
    if (stepTimeout == -1)
        waiting = 1;

    DialogCharacter* previous = characters && speakerId != -1 ? characters->find(speakerId) : nullptr;
    if (previous && speakerId != step->character)
        previous->endTalk();

    DialogCharacter* who = characters ? characters->find(step->character) : nullptr;
    switch (step->kind) {
    case DialogStep::Enter:
        if (who)
            who->playAnimation(DialogCharacter::EntryKind);
        speakerId = -1;
        break;
    case DialogStep::Talk:
        if (who) {
            who->say(step, speakerId != step->character);
            speakerId = step->character;
        } else {
            speakerId = -1;
        }
        break;
    case DialogStep::Leave:
        // The talk ends as at a change of speaker; then the character goes
        // with its leave clip rather than staying on its last picture.
        if (who) {
            who->endTalk();
            who->playAnimation(DialogCharacter::LeaveKind);
        }
        speakerId = -1;
        break;
    default:
        break;
    }
    showContinue(true);
}
