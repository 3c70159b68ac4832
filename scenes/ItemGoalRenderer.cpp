#include "scenes/ItemGoalRenderer.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/InputEvents.h"
#include "scenes/QDScene.h"

ItemGoalRenderer::ItemGoalRenderer() : groups{2} {}

ItemGoalRenderer::ItemGoalRenderer(ResourceManager* manager) : groups{2}, resources(manager)
{
    background = texture("GUI_MAIN");
    if (background) {
        const int w = background->getWidth();
        const int h = background->getHeight();
        setBounds((ScreenWidth - w) / 2, ScreenHeight - h, w, h);
    }
}

ItemGoalRenderer::~ItemGoalRenderer() = default;

void ItemGoalRenderer::refresh(ItemState*) {}

void ItemGoalRenderer::attachToScene() {}

const std::vector<GoalEntry>& ItemGoalRenderer::wantedEntries() const
{
    return wanted;
}

GLTexture* ItemGoalRenderer::texture(const char* id) const
{
    return resources ? resources->findTexture(id) : nullptr;
}

bool ItemGoalRenderer::hitTest(int x, int y)
{
    if (!Widget::hitTest(x, y))
        return false;
    return !background || keptPixelOpaque(background, x - geometry.x, y - geometry.y);
}

void ItemGoalRenderer::onMouseMove(MouseEvent* event)
{
    hovered = entryAt(event->x - geometry.x, event->y - geometry.y);
}

void ItemGoalRenderer::onMouseRelease(MouseEvent* event)
{
    auto* game = dynamic_cast<QDScene*>(scene);
    if (!game || !game->isChoosingTarget())
        return;
    if (ItemState* item = itemOfEntry(entryAt(event->x - geometry.x, event->y - geometry.y)))
        game->chooseTarget(item);
}

int ItemGoalRenderer::entryAt(int, int) const
{
    return -1;
}

ItemState* ItemGoalRenderer::itemOfEntry(int) const
{
    return nullptr;
}

bool ItemGoalRenderer::isHighlighted(int entry) const
{
    auto* game = dynamic_cast<QDScene*>(scene);
    return entry >= 0 && entry == hovered && game && game->isChoosingTarget();
}

void ItemGoalRenderer::drawHead(Graphics& g, Font* font)
{
    const Color white(255, 255, 255, 255);
    if (GLTexture* counter = texture("GUI_BG_ITEM_COUNTER"))
        g.drawImage(CounterX, CounterY, counter, white);
    if (font)
        font->drawTextInBoxRuns(g, WidgetGeometry(840, 176, 0, 42, 22), std::to_string(wanted.size()),
                                white, 2, 2, false);
    if (background)
        g.drawImage(0, 0, background, white);
}

void ItemGoalRenderer::drawCentred(Graphics& g, Font* font, const WidgetGeometry& box, const std::string& text,
                                   uint8_t alpha)
{
    if (font && !text.empty())
        font->drawTextInBoxRuns(g, box, text, Color(255, 255, 255, alpha), 2, 2, false);
}
