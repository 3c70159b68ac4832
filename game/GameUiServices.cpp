#include "game/GameUiServices.h"

#include "game/SfxContainer.h"

#include "engine/res/ResourceManager.h"

GameUiServices::GameUiServices(ResourceManager* fontManager)
    : fonts(fontManager)
{
}

GameUiServices::~GameUiServices()
{
    if (uiServices() == this)
        setUiServices(nullptr);
}

bool GameUiServices::soundsLoaded() const
{
    const SfxContainer* sfx = SfxContainer::existingInstance();
    return sfx && sfx->isLoaded();
}

void GameUiServices::playNamed(const std::string& name)
{
    if (SfxContainer* sfx = SfxContainer::existingInstance())
        sfx->playSound(name, false);
}

Font* GameUiServices::tooltipFont()
{
    return font("FONT_TRISK10");
}

Font* GameUiServices::listFont()
{
    return font("FONT_TIMES16");
}

Font* GameUiServices::inputFont()
{
    return font("FONT_TIMES24");
}

Font* GameUiServices::font(const char* id) const
{
    return fonts ? fonts->getFont(id) : nullptr;
}
