#pragma once
// The base of every screen: menus, scenes, minigames, dialogs shown as
// screens. A screen owns its widgets, the WidgetManager that dispatches input
// to them, its own ResourceManager and its two transitions. It lives on the
// application's screen stack: every screen there is drawn each frame, bottom
// first; only active screens get input and updates.
//
// Life of a screen:
//  1. constructed (active, no widgets but those the constructor adds);
//  2. show(): loadResources(), then the application pushes it: the screen
//     below is deactivated and enter() adds the screen-wide mouse catcher,
//     calls build() and starts the in-transition (state Entering);
//  3. the in-transition ends: state Idle, widget input on, onEntered();
//  4. covered by a pushed screen: inactive but still drawn; active again when
//     the screen above is popped;
//  5. close(code): state Leaving, the out-transition plays; in the update
//     after it stopped running: state Idle and onClosed(code), once;
//  6. popped(): the screen deletes itself.
//
// onClosed() usually pops (and so deletes) the screen; update() touches
// nothing after it. Apart from onClosed, a screen must not be popped from
// inside its own update, draw or input handling.
//
// Widgets given to addWidget() belong to the screen. Widgets added before
// enter() with z 0 lie below the mouse catcher and never get the mouse where
// it covers them; widgets added in build() lie above it.
#include "engine/anim/TransitionListener.h"
#include "engine/ui/ButtonListener.h"
#include "engine/ui/GameState.h"
#include "engine/ui/MouseListener.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MouseListeningWidget;
class ResourceManager;
class Transition;
class Widget;
class WidgetManager;

class ScreenBase : public GameState, public TransitionListener, public ButtonListener, public MouseListener {
public:
    // Running is another name for Idle: the screen runs normally.
    enum State : int32_t { Entering = 0, Leaving = 1, Idle = 2, Running = Idle };
    // The ids with which the screen starts its transitions.
    static constexpr int InTransitionId = -1000;
    static constexpr int OutTransitionId = -1001;

    explicit ScreenBase(const std::string& name);
    // Deletes every widget, the widget manager, the resource manager with
    // everything registered in it and both transitions, then prints the leak
    // report.
    ~ScreenBase() override;
    ScreenBase(const ScreenBase&) = delete;
    ScreenBase& operator=(const ScreenBase&) = delete;

    // InputListener: both go to the widget manager.
    void onKey(KeyEvent* event) override;
    void onMouse(MouseEvent event) override;

    // GameState.
    // With a redirect screen set, pushes that one instead (and forgets it);
    // this screen's loadResources() is not called. Otherwise loadResources(),
    // then the push. Does nothing when no application is installed.
    void show(GameApp* app) override;
    void enter(GameApp* app) override;
    // Clears the active flag and deletes the screen.
    void popped(GameApp* app) override;
    void deactivate(GameApp* app) override;
    void activate(GameApp* app) override;
    // Transition under, background, widgets, overlay, transition over; the
    // middle three shifted left by the horizontal offset.
    void draw(Graphics& g) override;
    // Widgets, deferred removals, onUpdate(), then the transition of the
    // current state (see the life above).
    void update(int dt) override;
    // The screen's resource manager's textures and fonts.
    void releaseGL() override;
    void reloadGL() override;

    // Registers the screen's textures, fonts and sounds; runs on every show.
    virtual void loadResources() = 0;
    // Creates the widgets; runs in enter() after the mouse catcher exists.
    virtual void build() = 0;
    // Per-frame logic of the subclass.
    virtual void onUpdate(int dt);
    // Drawn above the widgets.
    virtual void drawOverlay(Graphics& g);
    // Drawn below the widgets.
    virtual void drawBackground(Graphics& g);
    // The in-transition has ended and widget input is on.
    virtual void onEntered();
    // The out-transition has ended; called once per close(). Typically pops
    // or replaces the screen, which deletes it.
    virtual void onClosed(int resultCode);

    // TransitionListener: the end of the in-transition makes the screen idle
    // and switches input on; the end of the out-transition is noticed by
    // update().
    void onTransitionFinished(int id) override;

    // ButtonListener and MouseListener: nothing unless overridden. The mouse
    // operations get the events that hit no other widget.
    void onButtonPressed(int id, int event) override;
    void onButtonReleased(int id, int event) override;
    void onMousePressed(MouseEvent* event) override;
    void onMouseMoved(MouseEvent* event) override;
    void onMouseReleased(MouseEvent* event) override;

    // Starts leaving with the result code that onClosed() will receive. When
    // disableInput is true the widgets get no more mouse input.
    void close(int resultCode, bool disableInput);
    // Widget input on, then onEntered().
    void enableInput();

    // Takes ownership of the widget and hands it to the manager. Null is
    // ignored.
    void addWidget(Widget* widget);
    // Takes the widget off the manager and deletes it at once. A widget this
    // screen does not own is only taken off the manager. Use safeRemoveWidget
    // from inside a widget's own update or input handling.
    void removeWidget(Widget* widget);
    // Takes the widget off the manager now (it gets no more input, updates or
    // drawing) and deletes it at the next update. Null, and a widget already
    // waiting, are ignored.
    void safeRemoveWidget(Widget* widget);
    // Deletes the widgets waiting after safeRemoveWidget.
    void flushRemovedWidgets();
    // Takes every widget off the manager and deletes it.
    void removeAllWidgets();

    // Replace the transition and delete the old one. Null is ignored.
    void setInTransition(Transition* transition);
    void setOutTransition(Transition* transition);
    // The screen that show() pushes instead of this one; not owned (it
    // belongs to the stack once pushed).
    void setRedirectScreen(ScreenBase* screen) { redirectScreen = screen; }
    void setState(int s) { state = s; }

    int getState() const { return state; }
    int getResultCode() const { return resultCode; }
    const std::string& getName() const { return name; }
    int getXOffset() const { return xOffset; }
    WidgetManager* getWidgetManager() const { return widgetManager.get(); }
    ResourceManager* getResources() const { return resources.get(); }
    Transition* getInTransition() const { return inTransition.get(); }
    Transition* getOutTransition() const { return outTransition.get(); }
    // Whether the screen owns the widget (also while it waits for deletion).
    bool ownsWidget(const Widget* widget) const;

protected:
    // The screen-wide widget made by enter(); owned through `widgets`.
    MouseListeningWidget* mouseCatcher = nullptr;
    std::vector<std::unique_ptr<Widget>> widgets;
    std::unique_ptr<WidgetManager> widgetManager;
    std::unique_ptr<ResourceManager> resources;
    std::unique_ptr<Transition> inTransition;
    std::unique_ptr<Transition> outTransition;
    // Taken off the manager, still owned through `widgets`, deleted next update.
    std::vector<Widget*> pendingRemovals;
    // Not owned.
    ScreenBase* redirectScreen = nullptr;
    std::string name;
    int32_t resultCode = 0;
    int32_t state = Idle;
    // Subtracted from all drawing and pointer x.
    int32_t xOffset = 0;

private:
    void deleteOwnedWidget(Widget* widget);
};
