#include "frontend/BookScreen.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "frontend/BookLayout.h"
#include "frontend/DiaryPage.h"
#include "frontend/FrontendUi.h"

#include <GL/gl.h>

#include <string>
#include <utility>

BookScreen::BookScreen()
    : ScreenBase3D(std::string())
{
    imageExtension = getParamString("Game.Images.Extension", imageExtension);
}

BookScreen::~BookScreen()
{
    delete leftSheet;
    delete rightSheet;
    delete turningSheet;
}

void BookScreen::onPageSwitched(int) {}

void BookScreen::loadBook(const std::string& path, int lastEntryId)
{
    const int width = pageImage ? pageImage->getWidth() : 0;
    const int height = pageImage ? pageImage->getHeight() : 0;
    ResourceManager* res = getResources();
    BookLayout::Lookup lookup;
    lookup.label = [](const std::string& id) { return FrontendUi::label(id); };
    lookup.font = [](const std::string& id) { return FrontendUi::font(id); };
    lookup.picture = [res](const std::string& file) {
        auto* picture = new GLTexture(file, nullptr, GLTexture::KeepImage);
        res->addTexture(picture);
        return picture;
    };
    BookLayout layout(width, height, lookup, imageExtension);
    layout.load(path, lastEntryId, pages);
}

const BookPage& BookScreen::pageAt(int index) const
{
    static const BookPage blank;
    return index >= 0 && index < static_cast<int>(pages.size()) ? pages[index] : blank;
}

void BookScreen::fillSheet(DiaryPage* sheet, int frontPage, int backPage)
{
    if (sheet)
        sheet->fillSheet(pageAt(frontPage), pageAt(backPage));
}

void BookScreen::createSheets()
{
    while (pages.size() < static_cast<std::size_t>(MinimumPages) || pages.size() % 2 != 0)
        pages.emplace_back();
    ResourceManager* res = getResources();
    leftSheet = new DiaryPage(pageImage, backImage, SheetWidth, SheetHeight, res);
    rightSheet = new DiaryPage(pageImage, backImage, SheetWidth, SheetHeight, res);
    turningSheet = new DiaryPage(pageImage, backImage, SheetWidth, SheetHeight, res);
    fillSheet(leftSheet, 0, 1);
    leftSheet->direction = 0;
    fillSheet(rightSheet, 2, 3);
    rightSheet->direction = 1;
}

std::vector<int> BookScreen::pageIds() const
{
    std::vector<int> ids;
    for (const BookPage& page : pages)
        ids.push_back(page.entryId);
    return ids;
}

bool BookScreen::canTurnNext() const
{
    return current + 3 < static_cast<int>(pages.size()) - 1;
}

bool BookScreen::isAtLastSpread() const
{
    return !canTurnNext();
}

bool BookScreen::canTurnPrevious() const
{
    return current >= 2;
}

bool BookScreen::isTurning() const
{
    return turningSheet && turningSheet->isTurning();
}

bool BookScreen::turnToNextPage()
{
    if (!canTurnNext() || !rightSheet || isTurning())
        return false;
    std::swap(turningSheet, rightSheet);
    current += 2;
    fillSheet(rightSheet, current + 2, current + 3);
    rightSheet->fraction = 0.f;
    rightSheet->direction = 1;
    if (turningSheet->direction != 0)
        turningSheet->startTurn(this);
    drawTurning = true;
    drawRight = false;
    return true;
}

bool BookScreen::turnToPreviousPage()
{
    if (!canTurnPrevious() || !leftSheet || isTurning())
        return false;
    current -= 2;
    std::swap(turningSheet, leftSheet);
    fillSheet(leftSheet, current, current + 1);
    leftSheet->fraction = 0.f;
    leftSheet->direction = 0;
    if (turningSheet->direction != 1)
        turningSheet->startTurn(this);
    drawTurning = true;
    drawLeft = false;
    return true;
}

void BookScreen::onTurnStarted(int direction)
{
    if (direction == 0)
        drawRight = true;
    else
        drawLeft = true;
}

void BookScreen::onTurnEnding(int direction)
{
    if (direction == 0)
        drawLeft = false;
    else
        drawRight = false;
}

void BookScreen::onTurnFinished(int direction)
{
    drawTurning = false;
    drawLeft = true;
    drawRight = true;
    DiaryPage* turned = turningSheet;
    if (direction == 0) {
        turningSheet = leftSheet;
        leftSheet = turned;
        leftSheet->direction = 0;
        leftSheet->fraction = 0.f;
    } else {
        turningSheet = rightSheet;
        rightSheet = turned;
        rightSheet->direction = 1;
        rightSheet->fraction = 0.f;
    }
    onPageSwitched(direction);
}

void BookScreen::openAtEntry(int entryId)
{
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].entryId != entryId)
            continue;
        current = 2 * ((static_cast<int>(i) - 1) / 2);
        fillSheet(leftSheet, current, current + 1);
        fillSheet(rightSheet, current + 2, current + 3);
        return;
    }
}

void BookScreen::onUpdate(int dt)
{
    fps = dt > 0 ? 1000.f / dt : 0.f;
    for (DiaryPage* sheet : {leftSheet, rightSheet, turningSheet}) {
        if (sheet)
            sheet->advance(dt);
    }
}

void BookScreen::drawUnder3D(Graphics& g)
{
    g.fillRect(0, 0, 1024, 768, Color::black());
    if (Font* font = FrontendUi::font("FONT_TRISK10"))
        font->drawRun(g, 10, 10, "FPS: " + std::to_string(fps), Color(255, 255, 0, 255));
}

void BookScreen::draw3D(Graphics&)
{
    const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.f};
    const GLfloat diffuse[] = {1.f, 1.f, 1.f, 1.f};
    const GLfloat specular[] = {0.f, 0.f, 0.f, 1.f};
    const GLfloat position[] = {0.f, 7.f, 5.f, 1.f};
    // The sheets' faces are told apart by depth: whatever the 2-D pass left
    // in the depth buffer must not hide them.
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_COLOR_MATERIAL);
    if (drawLeft && leftSheet)
        leftSheet->draw();
    if (drawRight && rightSheet)
        rightSheet->draw();
    if (drawTurning && turningSheet)
        turningSheet->draw();
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT0);
    glDisable(GL_COLOR_MATERIAL);
}
