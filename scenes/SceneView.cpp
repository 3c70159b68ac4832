#include "scenes/SceneView.h"

#include "engine/gfx/Graphics.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/HOScene.h"
#include "scenes/SceneLightSource.h"

#include <GL/gl.h>

void SceneView::setSceneWidth(int widest)
{
    if (widest <= ScreenWidth)
        return;
    panorama = true;
    scrollX = 0;
    scrollSpeed = ScrollStep;
    autoScroll = true;
    sceneWidth = widest;
}

void SceneView::connectLight(SceneLightSource* source)
{
    if (!source)
        return;
    lightsOn = true;
    source->connectLight(lightAmbient, lightDiffuse, lightSpecular, lightPosition);
}

void SceneView::update()
{
    if (!panorama || !autoScroll)
        return;
    scrollX += scrollSpeed;
    if (static_cast<int>(scrollX) <= -sceneWidth)
        scrollX += static_cast<float>(sceneWidth);
}

bool SceneView::isWrapVisible() const
{
    return panorama && scrollX <= static_cast<float>(ScreenWidth - sceneWidth);
}

ItemState* SceneView::hitTest(const HOScene& scene, int x, int y) const
{
    ItemState* hit = scene.hitTest(static_cast<int>(static_cast<float>(x) - scrollX), y);
    if (!hit && isWrapVisible())
        hit = scene.hitTest(static_cast<int>(static_cast<float>(x) - (scrollX + static_cast<float>(sceneWidth) - 1)),
                            y);
    return hit;
}

void SceneView::beginItems(Graphics& g, const std::vector<ItemState*>& renderList) const
{
    if (lightsOn) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
        glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    }
    if (isWrapVisible()) {
        // The start of the scene again, right of its end.
        g.pushTransform();
        g.translate(static_cast<float>(sceneWidth) + scrollX - 1, 0);
        for (ItemState* state : renderList) {
            if (!state->renderer || !state->renderer->isVisible() || !state->item)
                continue;
            g.pushTransform();
            g.translate(state->item->x, state->item->y);
            state->renderer->render(g);
            g.popTransform();
        }
        g.popTransform();
    }
    g.translate(scrollX, 0);
}

void SceneView::endItems(Graphics& g) const
{
    g.translate(-scrollX, 0);
    if (lightsOn) {
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
    }
}
