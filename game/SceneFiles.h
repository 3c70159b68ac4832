#pragma once
// Readers of a scene's data files: the item file and the two rule files.
// None of them throws. A file that cannot be read, or whose root element is
// not the expected one, gives an empty result and one logged line; numbers
// are read the way the C library's atoi reads them (leading digits, 0 when
// there are none), positions with "%f".
#include "game/ItemGroupRules.h"
#include "game/ItemRendererRule.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct SceneItem;

// The item file name for a language code: "Scene.xml" for "EN", otherwise
// "Scene_" + code + ".xml".
std::string sceneItemFileName(const std::string& language);

// The items of the scene, in file order, read from the file its entry in
// SceneIndex::instance() names (folder + file name), byte for byte (TinyXML's
// legacy encoding, see XmlFile::Encoding). Empty when the index has
// no entry for the scene (or a negative id), or the file cannot be read or has
// no <Scene> root.
//
// Every <Item> element yields an item with its `folder` set to the scene
// folder. Its fields are taken from the attributes only when all fifteen
// (name, image, layer, majorGroupID, minorGroupID, x, y, angle, R, G, B, A,
// type, infoTip, typeId) are present; otherwise it keeps the defaults except
// for `name`, which is taken whenever present.
//
// Absurd numbers are cut into range with one logged line each: a position
// beyond 100000 either way to 100000 with its sign (one that is not a number
// to -100000), a layer beyond 1000000 either way to 1000000 with its sign. Items past the first MaxSceneItems
// are left out with one line (a save keeps item indices as one byte).
inline constexpr size_t MaxSceneItems = 256;
std::vector<std::unique_ptr<SceneItem>> loadSceneItems(int32_t sceneId);

// The group rules of the file at `path` (root <ItemGroupRules>, children
// <Rule groupId=".." typeId=".." type=".."/>). A rule lacking an attribute,
// or whose type is not 0 or 1, is skipped; a later rule for the same type and
// typeId replaces an earlier one.
ItemGroupRules loadItemGroupRules(const std::string& path);

// Appends the renderer rules of the file at `path` (root <ItemRendererRules>,
// children <Rule renderer=".." groupId=".." typeId=".." type=".."/>) to
// `rules`, in file order. `renderer` is required; the other three are -1
// (match anything) when absent. Nothing is appended when the file cannot be
// read.
void loadItemRendererRules(const std::string& path, std::vector<ItemRendererRule>& rules);
