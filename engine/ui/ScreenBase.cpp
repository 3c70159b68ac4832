#include "engine/ui/ScreenBase.h"

#include "engine/anim/EmptyTransition.h"
#include "engine/anim/Transition.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/core/MemoryLeakTracker.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/AppConfig.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/MouseListeningWidget.h"
#include "engine/ui/Widget.h"
#include "engine/ui/WidgetManager.h"
#include <algorithm>
#include <cstdio>

namespace {
const int GpuTexturesAndFonts = ResourceManager::TextureResources | ResourceManager::FontResources;
}

ScreenBase::ScreenBase(const std::string& screenName)
    : widgetManager(std::make_unique<WidgetManager>(this))
    , resources(std::make_unique<ResourceManager>())
    , inTransition(std::make_unique<EmptyTransition>())
    , outTransition(std::make_unique<EmptyTransition>())
    , name(screenName)
    , xOffset(AppConfig::getInstance().getCenteringOffset())
{
}

ScreenBase::~ScreenBase()
{
    removeAllWidgets();
    widgetManager.reset();
    resources.reset();
    inTransition.reset();
    outTransition.reset();
    reportLeaks();
}

void ScreenBase::onKey(KeyEvent* event)
{
    if (widgetManager)
        widgetManager->onKey(event);
}

void ScreenBase::onMouse(MouseEvent event)
{
    if (widgetManager)
        widgetManager->onMouse(event);
}

void ScreenBase::show(GameApp*)
{
    AppContext* app = appContext();
    if (!app) {
        logError("screen '" + name + "' cannot be shown: no application is running");
        return;
    }
    if (redirectScreen) {
        ScreenBase* other = redirectScreen;
        redirectScreen = nullptr;
        app->pushScreen(other);
        return;
    }
    loadResources();
    app->pushScreen(this);
}

void ScreenBase::enter(GameApp*)
{
    AppContext* app = appContext();
    mouseCatcher = new MouseListeningWidget(this);
    mouseCatcher->setGeometry(WidgetGeometry(0, 0, 0, app ? app->getWidth() : 0, app ? app->getHeight() : 0));
    addWidget(mouseCatcher);
    build();
    active = 1;
    state = Entering;
    // The default EmptyTransition ends at once: the screen is idle and
    // onEntered() has run before this returns.
    inTransition->start(this, InTransitionId);
}

void ScreenBase::popped(GameApp*)
{
    active = 0;
    delete this;
}

void ScreenBase::deactivate(GameApp*)
{
    active = 0;
}

void ScreenBase::activate(GameApp*)
{
    active = 1;
}

void ScreenBase::draw(Graphics& g)
{
    Transition* current = state == Entering ? inTransition.get() : state == Leaving ? outTransition.get() : nullptr;
    if (current) {
        g.pushTransform();
        current->drawUnder(g);
        g.popTransform();
    }
    const float shift = static_cast<float>(-xOffset);
    g.pushTransform();
    g.translate(shift, 0.f);
    drawBackground(g);
    g.popTransform();

    g.pushTransform();
    g.translate(shift, 0.f);
    widgetManager->draw(g, this);
    g.popTransform();

    g.pushTransform();
    g.translate(shift, 0.f);
    drawOverlay(g);
    g.popTransform();

    if (current) {
        g.pushTransform();
        current->drawOver(g);
        g.popTransform();
    }
}

void ScreenBase::update(int dt)
{
    widgetManager->update(dt, this);
    flushRemovedWidgets();
    onUpdate(dt);

    // Entering and leaving are handled in separate updates: onEntered() may
    // close the screen, and onClosed() may delete it, after which nothing
    // here may be touched.
    if (state == Entering) {
        if (inTransition && inTransition->isRunning()) {
            inTransition->update(dt);
        } else {
            state = Idle;
            enableInput();
        }
    } else if (state == Leaving) {
        if (outTransition && outTransition->isRunning()) {
            outTransition->update(dt);
        } else {
            state = Idle;
            onClosed(resultCode);
            // `this` may be gone now.
        }
    }
}

void ScreenBase::releaseGL()
{
    resources->releaseGpuResources(GpuTexturesAndFonts);
}

void ScreenBase::reloadGL()
{
    resources->reloadGpuResources(GpuTexturesAndFonts);
}

void ScreenBase::onUpdate(int) {}
void ScreenBase::drawOverlay(Graphics&) {}
void ScreenBase::drawBackground(Graphics&) {}
void ScreenBase::onEntered() {}
void ScreenBase::onClosed(int) {}
void ScreenBase::onButtonPressed(int, int) {}
void ScreenBase::onButtonReleased(int, int) {}
void ScreenBase::onMousePressed(MouseEvent*) {}
void ScreenBase::onMouseMoved(MouseEvent*) {}
void ScreenBase::onMouseReleased(MouseEvent*) {}

void ScreenBase::onTransitionFinished(int id)
{
    if (id == InTransitionId) {
        state = Idle;
        enableInput();
    }
}

void ScreenBase::close(int code, bool disableInput)
{
    state = Leaving;
    if (disableInput)
        widgetManager->setInputEnabled(false);
    resultCode = code;
    outTransition->start(this, OutTransitionId);
}

void ScreenBase::enableInput()
{
    widgetManager->setInputEnabled(true);
    onEntered();
}

bool ScreenBase::ownsWidget(const Widget* widget) const
{
    return std::any_of(widgets.begin(), widgets.end(),
                       [widget](const std::unique_ptr<Widget>& w) { return w.get() == widget; });
}

void ScreenBase::deleteOwnedWidget(Widget* widget)
{
    auto it = std::find_if(widgets.begin(), widgets.end(),
                           [widget](const std::unique_ptr<Widget>& w) { return w.get() == widget; });
    if (it == widgets.end())
        return;
    // Out of the list before the destructor runs, which may add or remove
    // other widgets of this screen.
    std::unique_ptr<Widget> owned = std::move(*it);
    widgets.erase(it);
    owned.reset();
}

void ScreenBase::addWidget(Widget* widget)
{
    if (!widget || ownsWidget(widget))
        return;
    widgets.emplace_back(widget);
    widgetManager->addWidget(widget);
}

void ScreenBase::removeWidget(Widget* widget)
{
    if (!widget)
        return;
    widgetManager->removeWidget(widget);
    // A widget already waiting for deletion is deleted now and forgotten there.
    pendingRemovals.erase(std::remove(pendingRemovals.begin(), pendingRemovals.end(), widget), pendingRemovals.end());
    if (widget == mouseCatcher)
        mouseCatcher = nullptr;
    deleteOwnedWidget(widget);
}

void ScreenBase::safeRemoveWidget(Widget* widget)
{
    if (!widget)
        return;
    // A second request for the same widget would delete it twice.
    if (std::find(pendingRemovals.begin(), pendingRemovals.end(), widget) != pendingRemovals.end())
        return;
    widgetManager->markListChanged();
    widgetManager->removeWidget(widget);
    widgetManager->clearHovered();
    pendingRemovals.push_back(widget);
    std::printf("safe remove widget = %p\n", static_cast<void*>(widget));
}

void ScreenBase::flushRemovedWidgets()
{
    // A widget's destructor may ask for more removals; take the list first
    // and walk it by index.
    std::vector<Widget*> doomed;
    doomed.swap(pendingRemovals);
    for (std::size_t i = 0; i < doomed.size(); ++i) {
        std::printf("safe widget in list to delete =%p\n", static_cast<void*>(doomed[i]));
        if (doomed[i] == mouseCatcher)
            mouseCatcher = nullptr;
        deleteOwnedWidget(doomed[i]);
    }
}

void ScreenBase::removeAllWidgets()
{
    std::printf("remove all widgets !\n");
    pendingRemovals.clear();
    mouseCatcher = nullptr;
    // Take the list first: a widget's destructor must not find itself in a
    // half-erased list.
    std::vector<std::unique_ptr<Widget>> all;
    all.swap(widgets);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (widgetManager)
            widgetManager->removeWidget(all[i].get());
        all[i].reset();
    }
}

void ScreenBase::setInTransition(Transition* transition)
{
    if (transition)
        inTransition.reset(transition);
}

void ScreenBase::setOutTransition(Transition* transition)
{
    if (transition)
        outTransition.reset(transition);
}
