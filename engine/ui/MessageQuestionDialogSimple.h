#pragma once
// A question shown over a screen with a yes and a no button: the life of a
// MessageDialogSimple, with two differences. A click on yes (id 1) or no
// (id 0) gives the answer 1 or 0; and when the close animation has ended the
// dialog first takes itself off the screen and then tells the listener
// onAnswer(id, answer), so the listener already sees the screen without it.
//
// Each button is, in this order of preference: image-only with its own pair
// of pictures (the desc's first or second button pair) when both are set;
// captioned with the shared pictures when a button font is set; image-only
// with the shared pictures otherwise.
#include "engine/ui/MessageDialogSimple.h"
#include <cstdint>
#include <memory>

class MessageQuestionDialogListener;

class MessageQuestionDialogSimple : public MessageDialogSimple {
public:
    static constexpr int32_t YesButtonId = 1;
    static constexpr int32_t NoButtonId = 0;

    // The listener is not owned and may be null. Both argument orders are
    // accepted.
    MessageQuestionDialogSimple(const MessageDialogDesc& desc, int32_t id, MessageQuestionDialogListener* listener);
    MessageQuestionDialogSimple(const MessageDialogDesc& desc, MessageQuestionDialogListener* listener, int32_t id);
    ~MessageQuestionDialogSimple() override;

    // As the simple dialog's, taking both buttons off; the close animation
    // keeps its own depths (z offset 0).
    bool close() override;
    // Puts the yes and no buttons on the widget manager; runs once.
    void buildContents() override;
    // A click (event 1) on yes or no sets the answer, then closes.
    void onButton(int buttonId, int event) override;

    // -1 until a button was clicked, then 1 (yes) or 0 (no).
    int32_t getAnswer() const { return answer; }
    // Null until the contents are built.
    SimpleImageButton* getYesButton() const { return yesButton.get(); }
    SimpleImageButton* getNoButton() const { return noButton.get(); }

protected:
    void removeButtons() override;
    // Off the screen first, then the listener.
    void finishClose() override;

private:
    SimpleImageButton* makeAnswerButton(int32_t buttonId, GLTexture* ownNormal, GLTexture* ownOver,
                                        GLTexture* overlay, const std::string& caption) const;

    int32_t answer = -1;
    MessageQuestionDialogListener* questionListener;  // not owned
    std::unique_ptr<SimpleImageButton> yesButton;
    std::unique_ptr<SimpleImageButton> noButton;
};
