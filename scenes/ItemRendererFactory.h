#pragma once
// The process-wide factory of item renderers: creators by renderer id (see
// ItemRendererIds.h) and the current scene's renderer rules, which map an
// item's {group, typeId, type} to a renderer id. The first rule in list order
// that matches an item decides; no matching rule, or an id without a creator,
// gives no renderer (the item is neither drawn nor clickable).
//
// The game scene deletes the factory and makes it afresh when it is
// constructed (destroyInstance, then instance() and
// registerItemRendererCreators), so the rule list holds the rules of the
// current scene only. A renderer made by the factory belongs to the caller.
#include "game/Factory.h"
#include "game/ItemRenderer.h"
#include "game/SingletonContainer.h"
#include "scenes/ItemRendererCreatorArg.h"

#include <string>

class ItemRendererFactory : public Factory<ItemRenderer, ItemRendererCreatorArg>,
                            public SingletonContainer<ItemRendererFactory> {
public:
    ItemRendererFactory() = default;
    ~ItemRendererFactory() override = default;

    // Appends the rules of the renderer rule file at `path` (see
    // loadItemRendererRules). A file that cannot be read adds nothing. A
    // rule naming a renderer id without a creator is kept (its items get no
    // renderer) and logged: register the creators first.
    void loadRules(const std::string& path);
};
