#pragma once
// The overview of runes and spells, in its simple form: a title over the
// dimmed screen below and a "Close" button. Closing pops the sheet, so the
// screen below (the scene that opened it) runs again.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

class RuneSheet : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { CloseButton = 0 };
    static constexpr int CloseCode = 0;

    RuneSheet();

    // QuarnButtonListener: a click (event 1) on "Close" closes the sheet.
    void onButtonEvent(int id, int event) override;

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    // Pops the sheet whatever the code.
    void onClosed(int resultCode) override;

private:
    SimpleScreenLayout layout;
};
