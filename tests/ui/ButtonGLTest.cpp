// The buttons with real textures in a GL window: pixel hit tests on kept
// images, sizes taken from pictures, the looks read back after drawing, and a
// screenshot of every standard widget drawn with the game's content.
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/ui/ButtonDesc.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/CheckBoxWidget.h"
#include "engine/ui/DraggableImageWidget.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleImageButton.h"
#include "engine/ui/SimpleTextButton.h"
#include "engine/ui/StaticImageButton.h"
#include "engine/ui/WidgetManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/support/ColorText.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/TestTextures.h"
#include "tests/ui/ButtonTestDoubles.h"
#include "tests/ui/TestWidgets.h"
#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class ButtonGL : public GLGraphicsTestSuite {
protected:
    void SetUp() override
    {
        GLGraphicsTestSuite::SetUp();
        if (HasFatalFailure())
            return;
        gfx.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 255));
    }

    FakeAppContext app;
};

// A 4 x 4 white picture loaded from a file with its kept image dropped.
std::unique_ptr<GLTexture> withoutKeptImage()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string path = std::string(tmp ? tmp : "/tmp") + "/button_gl_" + std::to_string(::getpid()) + ".bmp";
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 24, 0xff, 0xff00, 0xff0000, 0);
    SDL_FillRect(surface, nullptr, 0xffffff);
    SDL_SaveBMP(surface, path.c_str());
    SDL_FreeSurface(surface);
    auto texture = std::make_unique<GLTexture>(path, nullptr, GLTexture::DropImage);
    std::remove(path.c_str());
    return texture;
}

::testing::AssertionResult rgbAt(int x, int y, Color want)
{
    const Color got = GLTestSuite::window->readPixel(x, y);
    if (got.r == want.r && got.g == want.g && got.b == want.b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << describe(got) << ", want "
                                         << describe(want);
}

void settle(QuarnButton& b)
{
    for (int i = 0; i < 100 && b.isFading(); ++i)
        b.update(50, nullptr);
}

} // namespace

TEST_F(ButtonGL, PixelHitTestsStayInsideTheKeptPicture)
{
    std::unique_ptr<GLTexture> picture = dotTexture();
    std::unique_ptr<GLTexture> dropped = withoutKeptImage();
    ASSERT_GT(picture->getImage()->getWidth(), 3) << "the kept image is widened beyond the picture";
    ASSERT_EQ(dropped->getImage(), nullptr);

    // A QuarnButton larger than its normal look's picture.
    ButtonDesc desc;
    desc.looks[ButtonDesc::NormalLook].texture = picture.get();
    QuarnButton quarn(nullptr, 1, desc, "");
    quarn.setBounds(10, 20, 20, 20);
    EXPECT_TRUE(quarn.hitTest(11, 21));
    EXPECT_FALSE(quarn.hitTest(10, 20)) << "transparent pixel";
    EXPECT_FALSE(quarn.hitTest(13, 21)) << "in the widened kept image, outside the picture";
    EXPECT_FALSE(quarn.hitTest(25, 35)) << "in the button, far outside the picture";
    EXPECT_FALSE(quarn.hitTest(9, 21));
    desc.looks[ButtonDesc::NormalLook].texture = dropped.get();
    QuarnButton rectangle(nullptr, 2, desc, "");
    rectangle.setBounds(10, 20, 20, 20);
    EXPECT_TRUE(rectangle.hitTest(25, 35)) << "without a kept image the rectangle decides";
    EXPECT_FALSE(rectangle.hitTest(30, 35));

    StaticImageButton still(picture.get(), picture.get(), nullptr, 3);
    still.moveTo(10, 20);
    EXPECT_TRUE(still.hitTest(11, 21));
    EXPECT_FALSE(still.hitTest(10, 20));
    EXPECT_FALSE(still.hitTest(13, 21));
    still.setRectangleHit(true);
    EXPECT_TRUE(still.hitTest(10, 20));
    EXPECT_FALSE(still.hitTest(13, 21)) << "the picture's size bounds the rectangle";
    StaticImageButton blind(dropped.get(), dropped.get(), nullptr, 4);
    EXPECT_FALSE(blind.hitTest(1, 1)) << "no kept image: a miss";
    blind.setRectangleHit(true);
    EXPECT_TRUE(blind.hitTest(1, 1));

    DraggableImageWidget piece(picture.get(), nullptr, 5, 10, 20);
    EXPECT_TRUE(piece.hitTest(11, 21));
    EXPECT_FALSE(piece.hitTest(10, 20));
    EXPECT_FALSE(piece.hitTest(13, 22));
    DraggableImageWidget blindPiece(dropped.get(), nullptr, 6, 0, 0);
    EXPECT_FALSE(blindPiece.hitTest(1, 1));
}

TEST_F(ButtonGL, AClickOnATransparentPixelReachesNoButton)
{
    std::unique_ptr<GLTexture> picture = dotTexture();
    ButtonEvents events;
    StaticImageButton b(picture.get(), picture.get(), &events, 8);
    b.moveTo(100, 100);
    WidgetManager manager(nullptr);
    manager.addWidget(&b);
    manager.onMouse(mouseAt(MouseEvent::Move, 100, 100));
    manager.onMouse(mouseAt(MouseEvent::Press, 100, 100, MouseEvent::Left));
    manager.onMouse(mouseAt(MouseEvent::Release, 100, 100, MouseEvent::Left));
    EXPECT_EQ(events.log, Lines{});
    manager.onMouse(mouseAt(MouseEvent::Move, 101, 101));
    manager.onMouse(mouseAt(MouseEvent::Press, 101, 101, MouseEvent::Left));
    manager.onMouse(mouseAt(MouseEvent::Release, 101, 101, MouseEvent::Left));
    EXPECT_EQ(events.log, (Lines{"8 2", "8 0", "8 1"}));
    manager.removeWidget(&b);
}

TEST_F(ButtonGL, SizesComeFromThePictures)
{
    std::unique_ptr<GLTexture> wide = solidTexture(150, 37, Color(1, 2, 3, 255));
    std::unique_ptr<GLTexture> box = solidTexture(24, 20, Color(1, 2, 3, 255));
    StaticImageButton b(wide.get(), wide.get(), nullptr, 0);
    EXPECT_EQ(b.getGeometry().w, 150);
    EXPECT_EQ(b.getGeometry().h, 37);
    b.setBounds(0, 0, 5, 5);
    b.moveTo(794, 688);
    EXPECT_EQ(b.getGeometry().x, 794);
    EXPECT_EQ(b.getGeometry().y, 688);
    EXPECT_EQ(b.getGeometry().w, 150);
    EXPECT_EQ(b.getGeometry().h, 37);

    CheckBoxWidget check(nullptr, 1, box.get(), wide.get());
    EXPECT_EQ(check.getGeometry().w, 24);
    EXPECT_EQ(check.getGeometry().h, 20);
    SimpleImageButton image(wide.get(), box.get(), nullptr, 2);
    EXPECT_EQ(image.getGeometry().w, 150);
    DraggableImageWidget piece(box.get(), nullptr, 3, 7, 9);
    EXPECT_EQ(piece.getGeometry().x, 7);
    EXPECT_EQ(piece.getGeometry().w, 24);
}

TEST_F(ButtonGL, APictureThatFailedToLoadLeavesEveryButtonUsableAndCaptioned)
{
    GLTexture failed("no-such-folder/no-such-picture.png");
    ASSERT_TRUE(pictureFailed(&failed));
    EXPECT_FALSE(pictureFailed(solidTexture(1, 1, Color(1, 2, 3, 255)).get())) << "a real one-pixel picture";

    ButtonFont font(12, 8);
    StaticImageButton still(&failed, &failed, nullptr, 1);
    still.setCaption("Yes", &font, WidgetGeometry(40, 30, 0, 1, 1), 0, Color(255, 255, 255, 255));
    still.moveTo(100, 100);
    EXPECT_TRUE(still.hitTest(100 + MissingPictureWidth - 1, 100 + MissingPictureHeight - 1));
    EXPECT_FALSE(still.hitTest(100 + MissingPictureWidth, 100));
    gfx.translate(100, 100);
    still.draw(gfx, nullptr);
    gfx.resetTransform();
    // A light outline round a dark fill over the black, the caption across it.
    EXPECT_GT(window->readPixel(100, 100).r, 150) << describe(window->readPixel(100, 100));
    EXPECT_TRUE(window->readPixel(150, 120).b > 0 && window->readPixel(150, 120).b < 100);
    EXPECT_EQ(font.calls, (Lines{"box 0 0 0 160x48 'Yes' 255,255,255,255 h2 v2 nowrap"}));

    EXPECT_EQ(CheckBoxWidget(nullptr, 2, &failed, &failed).getGeometry().w, MissingPictureHeight);
    EXPECT_EQ(SimpleImageButton(&failed, &failed, nullptr, 3, &font, "OK").getGeometry().w, MissingPictureWidth);
    EXPECT_TRUE(DraggableImageWidget(&failed, nullptr, 4, 7, 9).hitTest(7 + 80, 9 + 24));
    ButtonDesc desc;
    desc.looks[ButtonDesc::NormalLook].texture = &failed;
    QuarnButton quarn(nullptr, 5, desc, "No");
    quarn.setBounds(10, 20, 100, 30);
    EXPECT_TRUE(quarn.hitTest(60, 35)) << "the rectangle decides";
}

TEST_F(ButtonGL, QuarnButtonDrawsItsNormalAndItsOverLook)
{
    const Color red(200, 40, 40, 255), green(40, 200, 40, 255), ink(250, 250, 0, 255);
    std::unique_ptr<GLTexture> normal = solidTexture(64, 24, red);
    std::unique_ptr<GLTexture> over = solidTexture(64, 24, green);
    ButtonFont font(12, 8);
    font.sketch = true;
    const Color white(255, 255, 255, 255);
    const ButtonDesc::Look n(white, ink, normal.get(), WidgetGeometry(), &font);
    const ButtonDesc::Look o(white, ink, over.get(), WidgetGeometry(), &font);
    ButtonDesc desc(n, o, o, n, 300);
    desc.hAlign = 2;
    desc.vAlign = 2;
    desc.captionBox = WidgetGeometry(0, 0, 0, 64, 24);
    desc.saveColors();
    QuarnButton b(nullptr, 1, desc, "X");
    b.setBounds(100, 100, 64, 24);
    WidgetManager manager(nullptr);
    manager.addWidget(&b);
    settle(b);

    manager.draw(gfx, nullptr);
    EXPECT_TRUE(rgbAt(102, 102, red));
    EXPECT_TRUE(rgbAt(161, 121, red));
    EXPECT_TRUE(rgbAt(132, 112, ink)) << "the caption, centred";
    EXPECT_TRUE(rgbAt(99, 102, Color(0, 0, 0)));
    EXPECT_TRUE(window->saveScreenshot("button_normal.bmp"));

    app.mouse = Point(110, 110);
    manager.onMouse(mouseAt(MouseEvent::Move, 110, 110));
    ASSERT_EQ(b.getState(), QuarnButton::Hovered);
    b.update(50, nullptr);
    b.update(50, nullptr);
    b.update(150, nullptr);
    gfx.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 255));
    manager.draw(gfx, nullptr);
    const Color mid = window->readPixel(102, 102);
    EXPECT_GT(mid.g, 40) << "half-way the over look shows through";
    EXPECT_GT(mid.r, 40) << "and the normal look still shows under it";

    settle(b);
    gfx.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 255));
    manager.draw(gfx, nullptr);
    EXPECT_TRUE(rgbAt(102, 102, green));
    EXPECT_TRUE(rgbAt(132, 112, ink));
    EXPECT_TRUE(window->saveScreenshot("button_over.bmp"));
    manager.removeWidget(&b);
}

TEST_F(ButtonGL, TheCheckMarkIsDrawnOverTheBox)
{
    const Color blue(30, 30, 220, 255), red(220, 30, 30, 255);
    std::unique_ptr<GLTexture> box = solidTexture(8, 8, blue);
    auto* mark = new SDLSurfaceImage(8, 8);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x)
            mark->setPixel(x, y, red);
    GLTexture check(mark);
    CheckBoxWidget widget(nullptr, 1, box.get(), &check);
    widget.setPosition(50, 50);
    WidgetManager manager(nullptr);
    manager.addWidget(&widget);

    manager.draw(gfx, nullptr);
    EXPECT_TRUE(rgbAt(54, 54, blue));
    MouseEvent press;
    widget.onMousePress(&press);
    manager.draw(gfx, nullptr);
    EXPECT_TRUE(rgbAt(54, 54, red));
    EXPECT_TRUE(rgbAt(50, 50, blue)) << "the box shows around the mark";
    widget.setCheckOffset(2, 0);
    gfx.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 255));
    manager.draw(gfx, nullptr);
    EXPECT_TRUE(rgbAt(52, 54, blue));
    EXPECT_TRUE(rgbAt(56, 54, red));
    manager.removeWidget(&widget);
}

TEST_F(ButtonGL, EveryStandardWidgetWithTheGamesContent)
{
    AngelFontGL times16("content/fonts/Times16.fnt");
    AngelFontGL trisk10("content/fonts/Trisk10.fnt");
    ASSERT_GT(times16.getLineHeight(), 0) << "run scripts/gen-content.sh";
    ASSERT_GT(trisk10.getLineHeight(), 0);
    const std::string ui = "content/images/ui/";
    GLTexture normal(ui + "ButtonNormal.png"), over(ui + "ButtonOver.png"), pressed(ui + "ButtonPressed.png");
    GLTexture yes(ui + "ButtonYes.png"), yesOver(ui + "ButtonYesOver.png");
    GLTexture no(ui + "ButtonNo.png"), noOver(ui + "ButtonNoOver.png");
    GLTexture boxImage(ui + "CheckBox.png"), markImage(ui + "CheckMark.png"), pieceImage(ui + "Draggable.png");
    ASSERT_EQ(normal.getWidth(), 150);
    ASSERT_EQ(normal.getHeight(), 37);
    ASSERT_EQ(boxImage.getWidth(), 32);

    ButtonServices services(&trisk10);
    ButtonEvents events;
    WidgetManager manager(nullptr);
    std::vector<std::unique_ptr<Widget>> owned;
    auto add = [&](Widget* w) {
        owned.emplace_back(w);
        manager.addWidget(w);
        return w;
    };

    const Color white(255, 255, 255, 255);
    ButtonDesc desc(ButtonDesc::Look(white, white, &normal, WidgetGeometry(), &times16),
                    ButtonDesc::Look(white, white, &over, WidgetGeometry(), &times16),
                    ButtonDesc::Look(white, white, &pressed, WidgetGeometry(), &times16),
                    ButtonDesc::Look(Color(128, 128, 128, 255), Color(160, 160, 160, 255), &normal, WidgetGeometry(),
                                     &times16),
                    300);
    desc.hAlign = 2;
    desc.vAlign = 2;
    desc.captionBox = WidgetGeometry(0, 0, 0, 150, 30);
    desc.saveColors();
    std::vector<QuarnButton*> quarns;
    const char* captions[] = {"Normal", "Hovered", "Pressed", "Disabled", "Near the edge"};
    const int xs[] = {40, 40, 40, 40, 860};
    const int ys[] = {80, 160, 240, 320, 160};
    for (int i = 0; i < 5; ++i) {
        QuarnButton* q = createQuarnButton(&events, i, desc, captions[i]);
        q->setBounds(xs[i], ys[i], 150, 37);
        q->setTooltip(std::string("Tooltip of ") + captions[i]);
        add(q);
        quarns.push_back(q);
    }
    quarns[1]->onMouseEnter();
    quarns[2]->onMouseEnter();
    MouseEvent press = mouseAt(MouseEvent::Press, 0, 0, MouseEvent::Left);
    quarns[2]->onMousePress(&press);
    quarns[3]->setEnabled(false);
    quarns[4]->onMouseEnter();
    for (QuarnButton* q : quarns) {
        q->update(2000, nullptr);
        settle(*q);
    }
    ASSERT_TRUE(quarns[1]->isTooltipShown());

    auto* text = static_cast<SimpleTextButton*>(add(new SimpleTextButton("Simple text", &events, &times16, 10)));
    text->setBounds(300, 80, 256, 30);
    text->setBackgroundColors(Color(0, 0, 0, 190), Color(64, 64, 64, 190), Color(127, 127, 127, 190));
    text->setTextColors(white, Color(0, 0, 255, 255), Color(0, 0, 255, 255));

    auto* ok = static_cast<SimpleImageButton*>(add(new SimpleImageButton(&normal, &over, nullptr, -10000, &times16, "OK")));
    ok->setNormalTextColor(white);
    ok->setPosition(300, 160);
    ok->onMouseEnter();
    for (int i = 0; i < 13; ++i)
        ok->update(16, nullptr);  // glow half-way
    auto* yesButton = static_cast<SimpleImageButton*>(add(new SimpleImageButton(&yes, &yesOver, nullptr, 1)));
    yesButton->setPosition(300, 240);
    auto* noButton = static_cast<SimpleImageButton*>(add(new SimpleImageButton(&no, &noOver, nullptr, 0)));
    noButton->setPosition(470, 240);
    noButton->onMouseEnter();
    for (int i = 0; i < 30; ++i)
        noButton->update(16, nullptr);

    auto* still = static_cast<StaticImageButton*>(add(new StaticImageButton(&normal, &over, &events, 20, &pressed)));
    still->moveTo(300, 320);
    still->setCaption("MAIN MENU", &times16, WidgetGeometry(0, 0, 0, 150, 30), 2, white);
    still->setCaptionShadow(true);

    auto* off = static_cast<CheckBoxWidget*>(add(new CheckBoxWidget(&events, 30, &boxImage, &markImage)));
    off->setPosition(40, 420);
    auto* on = static_cast<CheckBoxWidget*>(add(new CheckBoxWidget(&events, 31, &boxImage, &markImage)));
    on->setPosition(90, 420);
    on->setChecked(true);
    add(new DraggableImageWidget(&pieceImage, &events, 40, 150, 400));

    gfx.fillRect(0, 0, 1024, 768, Color(40, 44, 56, 255));
    manager.draw(gfx, nullptr);
    EXPECT_TRUE(window->saveScreenshot("buttons_all.bmp"));

    // The tooltip band sits above the hovered button; the one near the edge
    // ends 4 pixels inside the screen.
    EXPECT_TRUE(rgbAt(40 + 75 + 1, 160 - trisk10.getLineHeight() - 1, Color(251, 242, 184)));
    const int edgeWidth = trisk10.textWidth("Tooltip of Near the edge");
    const int right = 860 + (1024 - 860 - edgeWidth - 4) + edgeWidth + 2;
    EXPECT_TRUE(rgbAt(right, 160 - 2, Color(91, 43, 8))) << "the border's last column";
    EXPECT_FALSE(rgbAt(right + 1, 160 - 2, Color(91, 43, 8)));
    EXPECT_TRUE(rgbAt(44 + 10, 420 + 16, Color(244, 240, 224))) << "the empty box";

    for (auto& w : owned)
        manager.removeWidget(w.get());
}
