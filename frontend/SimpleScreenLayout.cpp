#include "frontend/SimpleScreenLayout.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/ScreenBase.h"
#include "engine/ui/TextLabel.h"

namespace {

const Color White(255, 255, 255, 255);
const Color Clear(0, 0, 0, 0);
// The fill of a button drawn without a picture (the picture's tint otherwise).
const Color PlainNormal(70, 62, 96, 255);
const Color PlainOver(112, 100, 150, 255);
// Height of a text line when its font is missing: keeps the layout stable.
const int FallbackLineHeight = 32;

int windowWidth()
{
    AppContext* app = appContext();
    return app ? app->getWidth() : 1024;
}

int windowHeight()
{
    AppContext* app = appContext();
    return app ? app->getHeight() : 768;
}

ButtonDesc::Look look(GLTexture* texture, Color plainFill, Font* font)
{
    return ButtonDesc::Look(texture ? White : plainFill, White, texture, WidgetGeometry(), font);
}

} // namespace

Font* SimpleScreenLayout::applicationFont(const std::string& id)
{
    AppContext* app = appContext();
    ResourceManager* resources = app ? app->getResources() : nullptr;
    return resources ? resources->getFont(id) : nullptr;
}

void SimpleScreenLayout::attach(ScreenBase* owner, const std::string& backgroundId,
                                const std::string& buttonNormalId, const std::string& buttonOverId)
{
    screen = owner;
    ResourceManager* resources = owner ? owner->getResources() : nullptr;
    // A picture that failed to load counts as none: the button then takes
    // its plain look and default size instead of shrinking to one pixel.
    auto find = [resources](const std::string& id) -> GLTexture* {
        GLTexture* texture = resources && !id.empty() ? resources->findTexture(id) : nullptr;
        return pictureFailed(texture) ? nullptr : texture;
    };
    backgroundTexture = find(backgroundId);
    buttonNormal = find(buttonNormalId);
    buttonOver = find(buttonOverId);
    // Without the over picture the normal one serves for hovering as well.
    if (!buttonOver)
        buttonOver = buttonNormal;
    titleFont = applicationFont("FONT_TIMES36_NE");
    textFont = applicationFont("FONT_TIMES24");
    captionFont = applicationFont("FONT_TIMES16");
}

int SimpleScreenLayout::buttonWidth() const
{
    return buttonNormal ? buttonNormal->getWidth() : DefaultButtonWidth;
}

int SimpleScreenLayout::buttonHeight() const
{
    return buttonNormal ? buttonNormal->getHeight() : DefaultButtonHeight;
}

TextLabel* SimpleScreenLayout::addLine(const std::string& text, Font* font, int y)
{
    if (!screen)
        return nullptr;
    auto* label = new TextLabel(text, font, TextLabel::Centred, White, Clear);
    label->setBounds(0, y, windowWidth(), font ? font->getLineHeight() : FallbackLineHeight);
    screen->addWidget(label);
    return label;
}

TextLabel* SimpleScreenLayout::addTitle(const std::string& text, int y)
{
    return addLine(text, titleFont, y);
}

TextLabel* SimpleScreenLayout::addText(const std::string& text, int y)
{
    return addLine(text, textFont, y);
}

QuarnButton* SimpleScreenLayout::addButton(QuarnButtonListener* listener, int id, const std::string& caption, int x,
                                           int y)
{
    if (!screen)
        return nullptr;
    ButtonDesc desc(look(buttonNormal, PlainNormal, captionFont), look(buttonOver, PlainOver, captionFont),
                    look(buttonOver, PlainOver, captionFont), look(buttonNormal, PlainNormal, captionFont),
                    ButtonFadeMs);
    desc.hAlign = 2;
    desc.vAlign = 2;
    desc.captionBox = WidgetGeometry(0, 0, 0, buttonWidth(), buttonHeight());
    QuarnButton* button = createQuarnButton(listener, id, desc, caption);
    button->setBounds(x, y, buttonWidth(), buttonHeight());
    screen->addWidget(button);
    return button;
}

std::vector<QuarnButton*> SimpleScreenLayout::addButtonRow(QuarnButtonListener* listener,
                                                           const std::vector<RowButton>& buttons, int y)
{
    std::vector<QuarnButton*> made;
    if (buttons.empty())
        return made;
    const int count = static_cast<int>(buttons.size());
    const int rowWidth = count * buttonWidth() + (count - 1) * ButtonGap;
    int x = (windowWidth() - rowWidth) / 2;
    for (const RowButton& item : buttons) {
        made.push_back(addButton(listener, item.first, item.second, x, y));
        x += buttonWidth() + ButtonGap;
    }
    return made;
}

void SimpleScreenLayout::drawBackground(Graphics& g, Color fill) const
{
    if (backgroundTexture)
        g.drawImage(0, 0, backgroundTexture, White);
    else
        g.fillRect(0, 0, windowWidth(), windowHeight(), fill);
}
