#include "frontend/DiaryPage.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/res/ResourceManager.h"
#include "frontend/PageSwitchListener.h"

#include <GL/gl.h>

#include <cmath>

namespace {

const float HalfPi = 1.5707964f;
const uint8_t Blended = 1;

GLTexture* blankLike(GLTexture* background, ResourceManager* resources)
{
    if (!background || !resources)
        return nullptr;
    // Uploaded when its page is first drawn into (or shown, if that comes first).
    auto* texture = new GLTexture(new SDLSurfaceImage(background->getWidth(), background->getHeight()), nullptr,
                                  GLTexture::KeepImage, GLTexture::UploadWhenUsed);
    resources->addTexture(texture);
    return texture;
}

float turned(int direction, float e)
{
    return direction == 1 ? -180.f * e : -180.f * (1.f - e);
}

} // namespace

DiaryPage::DiaryPage(GLTexture* front, GLTexture* back, float w, float h, ResourceManager* resources)
    : frontBackground(front)
    , backBackground(back)
    , width(w)
    , height(h)
{
    if (front && back && resources) {
        frontTexture = blankLike(front, resources);
        backTexture = blankLike(back, resources);
    }
    if (front && front->getTextureWidth() > 0 && front->getTextureHeight() > 0) {
        uMax = static_cast<float>(front->getWidth()) / front->getTextureWidth();
        vMax = static_cast<float>(front->getHeight()) / front->getTextureHeight();
    }
    turn = then(std::make_unique<Accelerator<float>>(Duration(HalfTurnMs), &fraction, 0.5f, AcceleratorMode::FromRest),
                std::make_unique<Accelerator<float>>(Duration(HalfTurnMs), &fraction, 0.5f, AcceleratorMode::ToRest));
}

DiaryPage::~DiaryPage() = default;

void DiaryPage::render(GLTexture* target, GLTexture* background, const BookPage& page)
{
    if (!target || !background || !target->getImage() || !background->getImage())
        return;
    Image* image = target->getImage();
    ImageGraphics* g = image->graphics();
    if (!g)
        return;
    g->blit(0, 0, background->getImage(),
            Rect(0.f, 0.f, static_cast<float>(background->getWidth()), static_cast<float>(background->getHeight())),
            false);
    for (const BookPageElement& element : page.elements) {
        if (element.kind == BookPageElement::Text && element.font) {
            element.font->drawTextInBox(g, element.box, element.text, Color::white(), element.hAlign, element.vAlign,
                                        true, &Blended);
        } else if (element.kind == BookPageElement::Picture && element.picture && element.picture->getImage()) {
            g->blit(element.box.x, element.box.y, element.picture->getImage(),
                    Rect(0.f, 0.f, static_cast<float>(element.picture->getWidth()),
                         static_cast<float>(element.picture->getHeight())),
                    true);
        }
    }
    target->upload();
}

void DiaryPage::fillSheet(const BookPage& front, const BookPage& back)
{
    render(frontTexture, frontBackground, front);
    render(backTexture, backBackground, back);
}

void DiaryPage::startTurn(PageSwitchListener* turnListener)
{
    listener = turnListener;
    fraction = 0.f;
    if (!turn->isRunning()) {
        finishPending = false;
        turn->start(this, 0);
    }
}

bool DiaryPage::isTurning() const
{
    return turn->isRunning();
}

void DiaryPage::onActionFinished(int32_t)
{
    finishPending = true;
}

void DiaryPage::advance(int dt)
{
    const float before = fraction;
    if (turn->isRunning())
        turn->update(dt);
    const int d = direction == 0 ? 1 : 0;
    if (listener && before < StartedAt && fraction >= StartedAt)
        listener->onTurnStarted(d);
    if (listener && before <= EndingAt && fraction > EndingAt)
        listener->onTurnEnding(d);
    if (finishPending) {
        finishPending = false;
        if (listener && (direction == 0 || direction == 1))
            listener->onTurnFinished(d);
    }
}

void DiaryPage::columnAngles(int dir, float t, int column, float& bottom, float& top)
{
    const float a1 = turned(dir, std::pow(t, 1.0f));
    const float a2 = turned(dir, std::pow(t, 1.7f));
    const float a3 = turned(dir, std::pow(t, 2.0f));
    bottom = a3 + column * (a1 - a3) / Columns;
    top = a3 + column * (a2 - a3) / Columns;
}

float DiaryPage::curl(float t, float s, bool turning)
{
    if (s == 0.f)
        return 0.f;
    float a = (0.5f - t) * 2.f;
    if (turning)
        a *= 1.025f;
    const float d = s * HalfPi - HalfPi;
    return std::pow(std::cos(d), 0.6f) * d * d * 1.3f * a;
}

float DiaryPage::widthFactor(float t)
{
    return (0.5f - t) * (0.5f - t) * 0.5f + 0.875f;
}

void DiaryPage::strip(GLTexture* texture, bool back, float t)
{
    if (!texture)
        return;
    texture->bind();
    const float k = widthFactor(t);
    const bool turning = isTurning();
    float* vertex = stripVertices;
    float* coord = stripTexCoords;
    for (int i = 0; i <= Columns; ++i) {
        const float s = static_cast<float>(i) / Columns;
        float bottom = 0.f, top = 0.f;
        columnAngles(direction, t, i, bottom, top);
        float c = curl(t, s, turning);
        if (direction == 0)
            c = -c;
        const float z = back ? c - 0.08f : c + 0.04f;
        const float x = i * width / Columns * k;
        // The back reads mirrored: its texture runs from the free edge.
        const float u = uMax * (back ? Columns - i : i) / Columns;
        for (int row = 1; row >= 0; --row) {
            const float angle = (row == 1 ? top : bottom) * 3.14159265f / 180.f;
            const float y = row == 1 ? height : 0.f;
            *coord++ = u;
            *coord++ = row == 1 ? 0.f : vMax;
            // Rotate-Y(angle) of (x, y, z).
            *vertex++ = std::cos(angle) * x + std::sin(angle) * z;
            *vertex++ = y;
            *vertex++ = -std::sin(angle) * x + std::cos(angle) * z;
        }
    }
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, stripVertices);
    glTexCoordPointer(2, GL_FLOAT, 0, stripTexCoords);
    glDrawArrays(GL_QUAD_STRIP, 0, (Columns + 1) * 2);
    glPopClientAttrib();
}

void DiaryPage::draw()
{
    glPushMatrix();
    if (isTurning())
        glTranslatef(0.f, 0.f, 0.02f);
    glColor4f(1.f, 1.f, 1.f, 1.f);
    glEnable(GL_TEXTURE_2D);
    strip(frontTexture, false, fraction);
    strip(backTexture, true, fraction);
    glPopMatrix();
}
