#pragma once
// The reader of a scene's mechanics script, the ordered list of steps a
// hidden-object scene runs.
//
// File: root <SceneMechanics>; its child elements in document order are the
// steps, others than these two are ignored:
//   <CollectGroup identifier="..">   (identifier optional: "UNSPECIFIED")
//     <Collect name=".." typeId="5,7" pick="random|first|all"
//              count=".." questId=".."/>   (count, questId optional: -1)
//   </CollectGroup>
//   <Screen type=".." transition="none|fade" ../>   (any further attributes)
// A <Collect> lacking name, typeId or pick is dropped; a CollectGroup is a
// step even with no valid rule. `pick` is compared exactly: any text but
// "random" and "first" means all. typeId is a comma list whose empty pieces
// are skipped; numbers are read as atoi reads them. A count given below 0
// (-1 included) or above MaxSceneItems means no limit, as an absent one does,
// and is logged. A <Screen> without type is dropped.
#include "scenes/MechanicsStep.h"

#include <memory>
#include <string>
#include <vector>

using MechanicsSteps = std::vector<std::unique_ptr<MechanicsStep>>;

// The steps of the file at `path`. A file that cannot be read or has no
// <SceneMechanics> root gives an empty list and one logged line.
MechanicsSteps loadSceneMechanics(const std::string& path);
