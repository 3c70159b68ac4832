#include "engine/ui/SimpleImageButton.h"

#include "engine/core/AppContext.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"

namespace {

constexpr int kGlowStep = 10;
const Color kWhite(255, 255, 255, 255);

} // namespace

SimpleImageButton::SimpleImageButton(GLTexture* normal, GLTexture* hover, GLTexture* overlay, int buttonId)
    : SimpleTextButton(std::string(), nullptr, nullptr, buttonId)
    , currentImage(normal)
    , normalImage(normal)
    , hoverImage(hover)
    , overlayImage(overlay)
{
    sizeToNormalImage();
}

SimpleImageButton::SimpleImageButton(GLTexture* normal, GLTexture* hover, GLTexture* overlay, int buttonId,
                                     Font* captionFont, const std::string& text)
    : SimpleTextButton(text, nullptr, captionFont, buttonId)
    , currentImage(normal)
    , normalImage(normal)
    , hoverImage(hover)
    , overlayImage(overlay)
{
    setBackgroundColors(Color(0, 0, 0, 0), Color(0, 0, 0, 0), Color(0, 0, 0, 0));
    sizeToNormalImage();
}

SimpleImageButton::SimpleImageButton(SimpleButtonListener* buttonListener, int x, int y, int w, int h,
                                     GLTexture* normal, GLTexture* hover, GLTexture* overlay, int buttonId)
    : SimpleTextButton(std::string(), buttonListener, nullptr, buttonId)
    , currentImage(normal)
    , normalImage(normal)
    , hoverImage(hover)
    , overlayImage(overlay)
{
    geometry = WidgetGeometry(x, y, 0, w, h);
}

void SimpleImageButton::sizeToNormalImage()
{
    if (normalImage)
        geometry = WidgetGeometry(0, 0, 0, pictureWidth(normalImage), pictureHeight(normalImage));
}

void SimpleImageButton::update(int, ScreenBase*)
{
    if (glowState == GlowRising) {
        glowAlpha += kGlowStep;
        if (glowAlpha > 254) {
            glowAlpha = 255;
            glowState = GlowStill;
        }
    } else if (glowState == GlowFalling) {
        glowAlpha -= kGlowStep;
        if (glowAlpha <= 0) {
            glowAlpha = 0;
            glowState = GlowStill;
        }
    }
}

void SimpleImageButton::draw(Graphics& g, ScreenBase* screen)
{
    const uint8_t alpha = static_cast<uint8_t>(imageAlpha);
    if (pictureFailed(normalImage))
        drawMissingPicture(g, geometry.w, geometry.h, enabled ? 255 : 128);
    if (enabled) {
        if (normalImage)
            g.drawImage(0, 0, normalImage, kWhite);
        if (hoverImage)
            g.drawImage(0, 0, hoverImage, Color(255, 255, 255, static_cast<uint8_t>(glowAlpha)));
    } else {
        if (currentImage)
            g.drawImage(0, 0, currentImage, Color(128, 128, 128, alpha));
        AppContext* app = appContext();
        if (app && font && !tooltipText.empty() && geometry.contains(app->getMousePos().x, app->getMousePos().y)) {
            // The box spans the screen from its left edge, below the button.
            const WidgetGeometry box(-geometry.x, geometry.h, 150, 1024, 40);
            font->drawTextInBoxRuns(g, box, tooltipText, Color(255, 0, 0, 255), 2, 3, false);
        }
    }
    if (overlayImage && normalImage) {
        const Color tint = enabled ? Color(255, 255, 255, alpha) : Color(128, 128, 128, alpha);
        g.drawImage(overlayX, overlayY, overlayImage, tint);
    }
    if (font)
        SimpleTextButton::draw(g, screen);
}

void SimpleImageButton::onMouseEnter()
{
    if (glowMode)
        glowState = GlowRising;
    else
        currentImage = hoverImage;
    SimpleTextButton::onMouseEnter();
}

void SimpleImageButton::onMouseLeave()
{
    if (glowMode)
        glowState = GlowFalling;
    else
        currentImage = normalImage;
    SimpleTextButton::onMouseLeave();
}
