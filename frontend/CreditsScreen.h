#pragma once
// The credits: the 3-D book over "content/story/credits/CreditsEntries.xml"
// between two blank pages at each end. It opens with a turn, turns a page
// every seven seconds and closes (code 0) with the turn that reaches the
// last spread; OK (button 0) closes it at once. Fades: 500 ms in, 1000 ms
// out. On leaving it pops itself; unless it returns to its caller (the
// options menu) a new main menu shows.
#include "engine/anim/ActionListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "frontend/BookScreen.h"

#include <memory>

class ActionDelay;
class QuarnButton;

class CreditsScreen : public BookScreen, public ActionListener, public QuarnButtonListener {
public:
    enum ButtonId { OkButton = 0 };
    static constexpr int CloseCode = 0;
    static constexpr int PageMs = 7000;
    static constexpr const char* BookFile = "content/story/credits/CreditsEntries.xml";

    explicit CreditsScreen(bool returnToCaller);
    ~CreditsScreen() override;

    // ActionListener: the page timer ran out (id 0).
    void onActionFinished(int32_t id) override;
    // QuarnButtonListener: a release (event 1) closes the credits.
    void onButtonEvent(int id, int event) override;

    bool isReturnToCaller() const { return returnToCaller; }
    QuarnButton* getOkButton() const { return okButton; }

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void onClosed(int resultCode) override;
    void drawUnder3D(Graphics& g) override;

private:
    bool returnToCaller;
    std::unique_ptr<ActionDelay> pageTimer;
    QuarnButton* okButton = nullptr;  // owned by the screen's widgets
};
