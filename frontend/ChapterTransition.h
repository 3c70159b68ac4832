#pragma once
// The screen between chapters: it plays the transition clip and, after a
// second, fades the chapter's caption ("CHAPTER_ENTRY_" + number, in
// "FONT_TIMES60_NE", centred) in over a second, holds it three seconds and
// closes (code 2). Escape skips to the end once the screen has entered. On
// leaving it pops itself and shows the journal (opened at the current
// quest's entry, turning a page on entering, no chapter transition offered).
//
// Transitions are the screen defaults unless the opener replaces them.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ScreenBase.h"

#include <memory>
#include <string>

class Action;
class AnimationPlayer;

class ChapterTransition : public ScreenBase, public ActionListener {
public:
    static constexpr int CloseCode = 2;
    static constexpr int ClipId = 1;
    static constexpr int DelayMs = 1000;
    static constexpr int FadeMs = 1000;
    static constexpr int HoldMs = 3000;
    static constexpr const char* ClipFile = "content/animations/ChapterTransition/Transition.xml";

    // The chapter number is copied; null counts as chapter 0.
    explicit ChapterTransition(int* chapter);
    ~ChapterTransition() override;

    // Escape (pressed, after the entry transition) skips to the journal.
    void onKey(KeyEvent* event) override;
    // ActionListener: the caption's time is over (id 0).
    void onActionFinished(int32_t id) override;

    int getChapter() const { return chapter; }
    const std::string& getCaption() const { return caption; }
    int getAlpha() const { return alpha; }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawOverlay(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    int chapter;
    int alpha = 0;
    std::string caption;
    std::unique_ptr<Action> sequence;
    std::unique_ptr<AnimationPlayer> player;
};
