#include "engine/ui/Animation2D.h"

#include "engine/anim/MathFunction.h"
#include "engine/anim/TinyAction.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationElement2D.h"
#include "engine/ui/AnimationFile.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/KeyFrame.h"
#include "engine/ui/KeyFrameProperties.h"

#include <algorithm>

Animation2D::Animation2D(AnimationPlayer* player_, int32_t id_, std::string path_)
    : path(std::move(path_)), player(player_), id(id_), endListener(player_)
{
}

Animation2D::~Animation2D()
{
    if (player)
        player->forgetAnimation(this);
}

void Animation2D::build(const AnimationDesc& desc)
{
    name = desc.name;
    loop = desc.loop ? 1 : 0;
    lengthMs = desc.length;
    // Stored directly: nobody listens to a widget that is being loaded.
    geometry.x = 0;
    geometry.y = 0;
    geometry.w = desc.width;
    geometry.h = desc.height;

    for (const AnimationObjectDesc& object : desc.objects) {
        auto element = std::make_unique<AnimationElement2D>(this, object.type, object.file);
        for (const AnimationKeyFrameDesc& k : object.keyFrames) {
            std::unique_ptr<KeyFrameProperties> properties;
            if (k.type == 0) {
                auto p = std::make_unique<KeyFramePropertiesImage>();
                p->file = object.file;
                p->x = k.x;
                p->y = k.y;
                p->z = k.z;
                p->scaleX = k.scaleX;
                p->scaleY = k.scaleY;
                // Files give the angle counter-clockwise; the renderer turns
                // clockwise on screen.
                p->angle = -k.angle;
                p->red = k.red;
                p->green = k.green;
                p->blue = k.blue;
                p->alpha = k.alpha;
                properties = std::move(p);
            }
            const MathFunction* interpolator = player ? player->findInterpolator(k.interpolator) : nullptr;
            auto keyFrame = std::make_unique<KeyFrame>(k.timeStamp, interpolator ? interpolator->clone() : nullptr,
                                                       std::move(properties));
            if (!element->addKeyFrame(std::move(keyFrame)))
                logWarning("animation " + path + ": object \"" + object.file + "\" has a second key frame at " +
                           std::to_string(k.timeStamp) + " ms; the first one is kept");
        }
        elements.push_back(std::move(element));
    }
    prepared = 0;
}

void Animation2D::loadTextures(ResourceManager& resources)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (const auto& element : elements) {
        if (element->getType() != 0)
            continue;
        const std::string textureId = folder + element->getFile();
        GLTexture* texture = resources.findTexture(textureId);
        if (!texture) {
            texture = new GLTexture(textureId, nullptr, GLTexture::KeepImage);
            resources.registerTexture(textureId, texture);  // the manager owns it now
        }
        element->setTexture(texture);
    }
    for (const auto& element : elements)
        element->reset();
    // Whole-number depth; equal depths keep their file order.
    std::stable_sort(elements.begin(), elements.end(),
                     [](const std::unique_ptr<AnimationElement2D>& a, const std::unique_ptr<AnimationElement2D>& b) {
                         return static_cast<int32_t>(a->state().z) < static_cast<int32_t>(b->state().z);
                     });
}

void Animation2D::prepare(int32_t zOffset_)
{
    if (!actions.empty())
        return;
    for (const auto& element : elements) {
        if (std::unique_ptr<TinyAction> action = element->buildAction(zOffset_, lengthMs, loop != 0))
            actions.push_back(std::move(action));
    }
    zOffset = zOffset_;
    prepared = 1;
}

void Animation2D::restart(int32_t zOffset_)
{
    if (!prepared)
        prepare(zOffset_);
    endReportPending = false;
    starting = true;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (!actions[i]->isRunning())
            actions[i]->start(this, static_cast<int32_t>(i));
    }
    starting = false;
    // Nothing would ever end such an animation, and its owner would wait
    // for the report forever.
    if (actions.empty() && !loop)
        endReportPending = true;
}

void Animation2D::stop()
{
    for (const auto& action : actions)
        action->stop();
    if (updating) {
        // An action of this walk is still on the call stack.
        for (auto& action : actions)
            retiredActions.push_back(std::move(action));
        actionsRetired = true;
    }
    actions.clear();
    prepared = 0;
    endReportPending = false;
    for (const auto& element : elements)
        element->reset();
}

void Animation2D::update(int dt, ScreenBase*)
{
    if (paused)
        return;
    // A listener told of the end may stop, restart or remove this animation:
    // actions stopped meanwhile are kept until the walk is over, and the
    // walk ends with them.
    updating = true;
    actionsRetired = false;
    if (endReportPending) {
        endReportPending = false;
        if (endListener)
            endListener->onAnimationFinished(id);
    }
    for (std::size_t i = 0; i < actions.size() && !actionsRetired; ++i)
        actions[i]->update(dt);
    updating = false;
    actionsRetired = false;
    retiredActions.clear();
}

void Animation2D::draw(Graphics& g, ScreenBase*)
{
    if (!manager)
        return;
    // The elements are placed in window coordinates from the widget's x and
    // y alone, not from the origin the widget manager and the screen have
    // set up (the widget's corner, the screen's centring shift, any
    // transform around the screen's drawing). The manager's push and pop
    // around this call keep the reset from reaching other widgets.
    g.resetTransform();
    drawAt(g, static_cast<float>(geometry.x), static_cast<float>(geometry.y));
}

void Animation2D::drawElements(Graphics& g)
{
    if (manager)
        drawAt(g, static_cast<float>(geometry.x), static_cast<float>(geometry.y));
}

void Animation2D::drawAt(Graphics& g, float x, float y)
{
    for (const auto& element : elements) {
        if (element->getType() != 0)
            continue;
        g.pushTransform();
        element->draw(g, x, y);
        g.popTransform();
    }
}

void Animation2D::onActionFinished(int32_t index)
{
    if (!endListener || actions.empty() || index != static_cast<int32_t>(actions.size()) - 1)
        return;
    if (starting) {
        // An action that ends as it starts: the caller of play or restart
        // is still using this animation and may not be ready for the
        // listener (which may remove it), so the report waits for the next
        // update.
        endReportPending = true;
        return;
    }
    endListener->onAnimationFinished(id);
}

void Animation2D::detachFromPlayer()
{
    player = nullptr;
    endListener = nullptr;
    for (const auto& element : elements)
        element->setTexture(nullptr);
}

bool Animation2D::isRunning() const
{
    for (const auto& action : actions) {
        if (action->isRunning())
            return true;
    }
    return false;
}

AnimationElement2D* Animation2D::element(std::size_t index) const
{
    return index < elements.size() ? elements[index].get() : nullptr;
}
