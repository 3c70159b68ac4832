#include "frontend/FrontendUi.h"

#include "engine/app/GameApp.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/store/LabelManager.h"
#include "engine/ui/QuarnButton.h"
#include "frontend/SimpleScreenLayout.h"

std::string FrontendUi::label(const std::string& id)
{
    GameApp* app = GameApp::instance();
    if (!app || !app->getLabels())
        return LabelManager::notFoundText;
    return app->getLabels()->getLabel(id);
}

Font* FrontendUi::font(const std::string& id)
{
    return SimpleScreenLayout::applicationFont(id);
}

int FrontendUi::textWidth(Font* f, const std::string& text)
{
    return f ? f->textWidth(text) : 0;
}

ButtonDesc FrontendUi::buttonDesc(GLTexture* normal, GLTexture* over, GLTexture* pressed, GLTexture* disabled,
                                  const WidgetGeometry& captionBox)
{
    Font* caption = font("FONT_TIMES16");
    const Color white = Color::white();
    ButtonDesc desc(ButtonDesc::Look(white, white, normal, WidgetGeometry(), caption),
                    ButtonDesc::Look(white, white, over, WidgetGeometry(), caption),
                    ButtonDesc::Look(white, white, pressed, WidgetGeometry(), caption),
                    ButtonDesc::Look(white, white, disabled, WidgetGeometry(), caption), ButtonFadeMs);
    desc.hAlign = 2;
    desc.vAlign = 2;
    desc.captionBox = captionBox;
    return desc;
}

QuarnButton* FrontendUi::makeButton(QuarnButtonListener* listener, int id, const ButtonDesc& desc,
                                    const std::string& caption, const std::string& tooltip, int x, int y,
                                    GLTexture* sizeOf)
{
    QuarnButton* button = createQuarnButton(listener, id, desc, caption);
    button->setBounds(x, y, sizeOf ? sizeOf->getWidth() : 0, sizeOf ? sizeOf->getHeight() : 0);
    button->setTooltipFont(font("FONT_TRISK10"));
    button->setTooltip(tooltip);
    return button;
}

MessageDialogDesc FrontendUi::questionDesc(const std::string& titleLabel, const std::string& textLabel, int y,
                                           GLTexture* buttonNormal, GLTexture* buttonOver)
{
    MessageDialogDesc desc;
    desc.openAnimation = "content/animations/UniversalDialog/MessageDialogStart.xml";
    desc.closeAnimation = "content/animations/UniversalDialog/MessageDialogClose.xml";
    desc.text = label(textLabel);
    desc.title = label(titleLabel);
    desc.firstCaption = label("YES");
    desc.secondCaption = label("NO");
    desc.textAlignment = 2;
    desc.textFont = font("FONT_TIMES24_NE");
    desc.titleFont = font("FONT_TIMES24");
    desc.textBox = WidgetGeometry(46, 71, 0, 404, 133);
    desc.x = 256;
    desc.y = y;
    desc.firstButtonX = 328;
    desc.firstButtonY = 444;
    desc.secondButtonX = 498;
    desc.secondButtonY = 444;
    desc.titleX = static_cast<int>((1024 - textWidth(desc.titleFont, desc.title)) * 0.5) - 256;
    desc.titleY = 24;
    desc.panelWidth = 512;
    desc.panelHeight = 256;
    desc.buttonNormal = buttonNormal;
    desc.buttonOver = buttonOver;
    desc.buttonFont = font("FONT_TIMES16");
    return desc;
}
