#include "engine/ui/MessageQuestionDialogSimple.h"

#include "engine/gfx/GLTexture.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/MessageQuestionDialogListener.h"
#include "engine/ui/SimpleImageButton.h"

namespace {
const int32_t LayoutWidth = 1024;
const int32_t LayoutHeight = 768;
} // namespace

MessageQuestionDialogSimple::MessageQuestionDialogSimple(const MessageDialogDesc& d, int32_t dialogId,
                                                         MessageQuestionDialogListener* l)
    : MessageDialogSimple(d, nullptr, dialogId), questionListener(l)
{
}

MessageQuestionDialogSimple::MessageQuestionDialogSimple(const MessageDialogDesc& d,
                                                         MessageQuestionDialogListener* l, int32_t dialogId)
    : MessageQuestionDialogSimple(d, dialogId, l)
{
}

MessageQuestionDialogSimple::~MessageQuestionDialogSimple()
{
    takeOff(yesButton.get());
    takeOff(noButton.get());
}

SimpleImageButton* MessageQuestionDialogSimple::makeAnswerButton(int32_t buttonId, GLTexture* ownNormal,
                                                                 GLTexture* ownOver, GLTexture* overlay,
                                                                 const std::string& caption) const
{
    if (ownNormal && ownOver)
        return new SimpleImageButton(ownNormal, ownOver, overlay, buttonId);
    return makeButton(desc.buttonNormal, desc.buttonOver, overlay, buttonId, desc.buttonFont, caption);
}

void MessageQuestionDialogSimple::buildContents()
{
    if (closing || yesButton || !manager)
        return;
    // The shared picture gives the width; a dialog with only the two own
    // pairs uses the yes picture so that the buttons do not overlap.
    GLTexture* sizing = desc.buttonNormal ? desc.buttonNormal : desc.firstButtonNormal;
    const double w = pictureWidth(sizing);
    const double centre = (desc.x - w) * 0.5 + ((LayoutWidth - desc.x) * 0.5 + 45);
    const auto below = static_cast<int32_t>((LayoutHeight - desc.y) * 0.5 + desc.y - 40);

    int32_t yesX = desc.firstButtonX, yesY = desc.firstButtonY;
    if (yesX < 0 || yesY < 0) {
        yesX = static_cast<int32_t>(centre - w * 0.5 - 40);
        yesY = below;
    }
    int32_t noX = desc.secondButtonX, noY = desc.secondButtonY;
    if (noX < 0 || noY < 0) {
        noX = static_cast<int32_t>(centre + w * 0.5);
        noY = below;
    }
    yesButton.reset(makeAnswerButton(YesButtonId, desc.firstButtonNormal, desc.firstButtonOver, desc.firstOverlay,
                                     desc.firstCaption));
    noButton.reset(makeAnswerButton(NoButtonId, desc.secondButtonNormal, desc.secondButtonOver, desc.secondOverlay,
                                    desc.secondCaption));
    placeButton(yesButton.get(), yesX, yesY);
    placeButton(noButton.get(), noX, noY);
    contentsShown = true;
}

void MessageQuestionDialogSimple::onButton(int buttonId, int event)
{
    if (event != 1 || (buttonId != YesButtonId && buttonId != NoButtonId))
        return;
    answer = buttonId == YesButtonId ? 1 : 0;
    if (!close())
        removeFromScreen();
}

bool MessageQuestionDialogSimple::close()
{
    return beginClose(0);
}

void MessageQuestionDialogSimple::removeButtons()
{
    MessageDialogSimple::removeButtons();
    takeOff(yesButton.get());
    takeOff(noButton.get());
}

void MessageQuestionDialogSimple::finishClose()
{
    removeFromScreen();
    if (questionListener)
        questionListener->onAnswer(id, answer);
}
