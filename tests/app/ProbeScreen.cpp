#include "tests/app/ProbeScreen.h"

#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "tests/driver/HookLog.h"

namespace {

// Runs a copy: the action may delete the screen, and with it the original.
void runActionCopy(const ProbeScreen::Action& action, ProbeScreen& screen)
{
    ProbeScreen::Action copy = action;
    copy(screen);
}

} // namespace

ProbeScreen::ProbeScreen(const std::string& screenName, HookLog& hookLog) : ScreenBase(screenName), log(hookLog)
{
}

ProbeScreen::~ProbeScreen()
{
    log.add(name + " deleted");
}

void ProbeScreen::show(GameApp* app)
{
    log.add(name + " show");
    ScreenBase::show(app);
}

void ProbeScreen::enter(GameApp* app)
{
    log.add(name + " enter");
    ScreenBase::enter(app);
}

void ProbeScreen::popped(GameApp* app)
{
    log.add(name + " popped");
    ScreenBase::popped(app);  // deletes this
}

void ProbeScreen::deactivate(GameApp* app)
{
    log.add(name + " deactivate");
    ScreenBase::deactivate(app);
}

void ProbeScreen::activate(GameApp* app)
{
    log.add(name + " activate");
    ScreenBase::activate(app);
}

void ProbeScreen::draw(Graphics& g)
{
    if (logDraws)
        log.add(name + " draw");
    if (hasFill)
        g.fillRect(0, 0, 4096, 4096, fill);
    for (const Picture& p : pictures)
        g.drawImage(p.x, p.y, p.texture, Color::white());
    for (const Box& b : boxes)
        g.fillRect(b.x, b.y, b.w, b.h, b.colour);
    ScreenBase::draw(g);
}

void ProbeScreen::update(int dt)
{
    log.add(name + " update " + std::to_string(dt));
    if (onUpdateAction)
        runActionCopy(onUpdateAction, *this);  // may close the screen
    ScreenBase::update(dt);     // may call onClosed, which may delete this
}

void ProbeScreen::releaseGL()
{
    log.add(name + " releaseGL");
    ScreenBase::releaseGL();
}

void ProbeScreen::reloadGL()
{
    log.add(name + " reloadGL");
    ScreenBase::reloadGL();
}

void ProbeScreen::onKey(KeyEvent* event)
{
    log.add(name + " key " + std::to_string(event->key) + " " + std::to_string(event->type) + " " +
            std::to_string(event->unicode) + " " + std::to_string(event->character) + " mods " +
            std::to_string(event->modifiers));
    ScreenBase::onKey(event);
    if (onKeyAction)
        runActionCopy(onKeyAction, *this);  // may delete this
}

void ProbeScreen::onMouse(MouseEvent event)
{
    log.add(name + " mouse " + std::to_string(event.type) + " at " + std::to_string(event.x) + "," +
            std::to_string(event.y) + " buttons " + std::to_string(event.buttons) + " rel " +
            std::to_string(event.dx) + "," + std::to_string(event.dy));
    ScreenBase::onMouse(event);
    if (onMouseAction)
        runActionCopy(onMouseAction, *this);  // may delete this
}

void ProbeScreen::loadResources()
{
    log.add(name + " loadResources");
    if (onLoadAction)
        runActionCopy(onLoadAction, *this);
}

void ProbeScreen::build()
{
    log.add(name + " build");
}

void ProbeScreen::onClosed(int resultCode)
{
    log.add(name + " onClosed " + std::to_string(resultCode));
    if (onClosedAction)
        runActionCopy(onClosedAction, *this);  // may delete this
}

void ProbeScreen::addPicture(GLTexture* texture, int x, int y)
{
    pictures.push_back(Picture{texture, x, y});
}

void ProbeScreen::addRect(int x, int y, int w, int h, Color colour)
{
    boxes.push_back(Box{x, y, w, h, colour});
}
