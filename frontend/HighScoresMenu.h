#pragma once
// The table of the ten best scores, opened by the options menu over itself:
// over a dimmed screen the opening clip draws the panel, then the title,
// ten rows of rank, name and score, and OK appear. OK plays the closing clip,
// after which the menu closes (code 0) and pops itself. Keys do nothing.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"

#include <memory>
#include <string>
#include <vector>

class AnimationPlayer;
class HighScoreEntry;
class QuarnButton;
class TextLabel;

struct HighScoreRow {
    std::string rank;
    std::string name;
    std::string score;
};

class HighScoresMenu : public ScreenBase, public QuarnButtonListener, public AnimationPlayerListener {
public:
    enum ButtonId { OkButton = 0 };
    enum ClipId { OpenClip = 0, CloseClip = 1 };
    static constexpr int CloseCode = 0;

    HighScoresMenu();
    ~HighScoresMenu() override;

    void onKey(KeyEvent* event) override;
    void onButtonEvent(int id, int event) override;
    void onAnimationFinished(int32_t id) override;

    // "1." to "n.", the names and the scores, best first as given.
    static std::vector<HighScoreRow> rowsOf(const std::vector<HighScoreEntry>& table);

    const std::vector<HighScoreRow>& getRows() const { return rows; }
    bool areRowsVisible() const { return rowsVisible; }
    QuarnButton* getOkButton() const { return okButton.get(); }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void drawOverlay(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void buildWidgets();

    bool rowsVisible = false;
    std::unique_ptr<QuarnButton> okButton;
    std::unique_ptr<TextLabel> title;
    std::unique_ptr<AnimationPlayer> player;
    std::vector<HighScoreRow> rows;
    int bgX = 0, bgY = 0, panelHeight = 0;
};
