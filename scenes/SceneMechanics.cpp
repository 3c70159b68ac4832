#include "scenes/SceneMechanics.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"
#include "game/SceneFiles.h"

#include <tinyxml.h>

namespace {

int32_t pickOf(const std::string& text)
{
    if (text == "random")
        return CollectRule::Random;
    if (text == "first")
        return CollectRule::First;
    return CollectRule::All;
}

// False when a required attribute is missing. A count of -1 keeps every
// candidate, as an absent one does; a count below -1, or above what a scene
// can hold, keeps every candidate too, with one line.
bool readCollect(const TiXmlElement& e, CollectRule& rule, const std::string& path)
{
    const char* name = e.Attribute("name");
    const char* typeIds = e.Attribute("typeId");
    const char* pick = e.Attribute("pick");
    if (!name || !typeIds || !pick)
        return false;
    rule.name = name;
    for (const std::string& piece : splitString(typeIds, ','))
        if (!piece.empty())
            rule.typeIds.push_back(stringToInt(piece));
    rule.pick = pickOf(pick);
    rule.count = toIntOrDefault(e.Attribute("count"), -1);
    if (e.Attribute("count") &&
        (rule.count < -1 || (rule.count >= 0 && static_cast<size_t>(rule.count) > MaxSceneItems)))
        logError("scene mechanics: \"" + path + "\": <Collect name=\"" + rule.name + "\"> has count " +
                 std::to_string(rule.count) + "; every candidate is picked");
    rule.questId = toIntOrDefault(e.Attribute("questId"), -1);
    return true;
}

std::unique_ptr<MechanicsStep> readCollectGroup(const TiXmlElement& e, const std::string& path)
{
    auto step = std::make_unique<MechanicsStep>();
    step->kind = MechanicsStep::CollectGroup;
    const char* identifier = e.Attribute("identifier");
    step->name = identifier ? identifier : "UNSPECIFIED";
    for (const TiXmlElement* c = e.FirstChildElement("Collect"); c; c = c->NextSiblingElement("Collect")) {
        CollectRule rule;
        if (readCollect(*c, rule, path))
            step->rules.push_back(std::move(rule));
    }
    return step;
}

std::unique_ptr<MechanicsStep> readScreen(const TiXmlElement& e)
{
    const char* type = e.Attribute("type");
    if (!type)
        return nullptr;
    auto step = std::make_unique<MechanicsStep>();
    step->kind = MechanicsStep::Screen;
    step->name = type;
    for (const TiXmlAttribute* a = e.FirstAttribute(); a; a = a->Next())
        step->attributes[a->NameTStr()] = a->ValueStr();
    return step;
}

} // namespace

MechanicsSteps loadSceneMechanics(const std::string& path)
{
    MechanicsSteps steps;
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "scene mechanics"))
        return steps;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "SceneMechanics") {
        logError("scene mechanics: \"" + path + "\" has no <SceneMechanics> root element");
        return steps;
    }
    for (const TiXmlElement* e = root->FirstChildElement(); e; e = e->NextSiblingElement()) {
        std::unique_ptr<MechanicsStep> step;
        if (e->ValueStr() == "CollectGroup")
            step = readCollectGroup(*e, path);
        else if (e->ValueStr() == "Screen")
            step = readScreen(*e);
        if (step)
            steps.push_back(std::move(step));
    }
    return steps;
}
