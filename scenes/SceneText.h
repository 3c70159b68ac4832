#pragma once
// The texts and sound effects of the game scene, by id, through the running
// application: label texts (the id itself when no application runs, so a
// screen made in a test still shows something) and the named effects (only
// once the effects list is loaded).
#include <string>

std::string sceneLabel(const std::string& id);
void playSceneEffect(const char* name);
