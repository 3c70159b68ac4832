#pragma once
// The common base of the screens that show a 3-D open book with turning
// pages (the journal and the credits). It keeps the book's pages, three
// sheets (left, right and the one turning), lights and draws them, and moves
// through the book two pages at a time: the left sheet shows page
// current + 1, the right sheet page current + 2 (current is even).
//
// A subclass sets `pageImage` and `backImage` in loadResources() (the page
// size for all layout is pageImage's), loads its book, calls createSheets()
// and supplies onPageSwitched(). The book always has at least four pages:
// createSheets() pads a short book with blank pages, so the first spread
// and every turn only ever touch pages that exist.
#include "engine/ui/ScreenBase3D.h"
#include "frontend/BookPage.h"
#include "frontend/PageSwitchListener.h"

#include <string>
#include <vector>

class DiaryPage;
class GLTexture;

class BookScreen : public ScreenBase3D, public PageSwitchListener {
public:
    static constexpr float SheetWidth = 10.f;
    static constexpr float SheetHeight = 15.f;
    static constexpr int MinimumPages = 4;

    BookScreen();
    ~BookScreen() override;

    // Appends the pages of the book file with entries up to lastEntryId.
    virtual void loadBook(const std::string& path, int lastEntryId);
    // Tells the subclass that a turn has finished (0 next, 1 previous).
    virtual void onPageSwitched(int direction);

    // Starts a turn; false (nothing happens) at the end of the book or while
    // the sheet that would turn is still turning.
    bool turnToNextPage();
    bool turnToPreviousPage();
    bool canTurnNext() const;
    bool canTurnPrevious() const;
    bool isAtLastSpread() const;
    // Shows the spread that holds the first page of the entry; nothing when
    // no page belongs to it.
    void openAtEntry(int entryId);
    bool isTurning() const;

    // PageSwitchListener.
    void onTurnFinished(int direction) override;
    void onTurnStarted(int direction) override;
    void onTurnEnding(int direction) override;

    int getCurrent() const { return current; }
    const std::vector<BookPage>& getPages() const { return pages; }
    std::vector<BookPage>& editPages() { return pages; }
    // The page ids in order (-1 for blank pages).
    std::vector<int> pageIds() const;

protected:
    void onUpdate(int dt) override;
    void drawUnder3D(Graphics& g) override;
    void draw3D(Graphics& g) override;

    // Pads the book to four pages (and an even count), makes the three
    // sheets on pageImage and backImage and fills the first spread.
    void createSheets();
    // Fills a sheet with two pages (blank past the end of the book).
    void fillSheet(DiaryPage* sheet, int frontPage, int backPage);
    const BookPage& pageAt(int index) const;

    GLTexture* pageImage = nullptr;  // not owned
    GLTexture* backImage = nullptr;  // not owned
    DiaryPage* turningSheet = nullptr;
    DiaryPage* leftSheet = nullptr;
    DiaryPage* rightSheet = nullptr;
    std::vector<BookPage> pages;
    int current = 0;
    bool drawTurning = false;
    bool drawLeft = true;
    bool drawRight = true;
    std::string imageExtension;
    float fps = 0.f;
};
