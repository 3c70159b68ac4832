#include "engine/ui/AnimationFile.h"

#include "engine/core/XmlFile.h"

#include <cstdlib>
#include <tinyxml.h>

namespace {

// Reads required attributes of one element; the first missing one is kept
// for the error message and makes ok() false.
class AttributeReader {
public:
    AttributeReader(const TiXmlElement* element_, std::string where_) : element(element_), where(std::move(where_)) {}

    int32_t integer(const char* name) { return static_cast<int32_t>(std::atoi(text(name))); }
    float decimal(const char* name) { return static_cast<float>(std::atof(text(name))); }
    std::string string(const char* name) { return text(name); }

    bool ok() const { return missing.empty(); }
    std::string problem() const { return where + ": missing attribute \"" + missing + "\""; }

private:
    const char* text(const char* name)
    {
        const char* value = element->Attribute(name);
        if (value)
            return value;
        if (missing.empty())
            missing = name;
        return "";
    }

    const TiXmlElement* element;
    std::string where;
    std::string missing;
};

bool readKeyFrame(const TiXmlElement* element, const std::string& where, AnimationKeyFrameDesc& key,
                  std::string& reason)
{
    AttributeReader a(element, where);
    key.timeStamp = a.integer("TimeStamp");
    key.interpolator = a.integer("TypeInterpolator");
    key.type = a.integer("Type");
    if (a.ok() && key.type == 0) {
        key.x = a.decimal("x");
        key.y = a.decimal("y");
        key.z = a.decimal("z");
        key.scaleX = a.decimal("ScaleX");
        key.scaleY = a.decimal("ScaleY");
        key.angle = a.decimal("Angle");
        key.red = a.integer("Red");
        key.green = a.integer("Green");
        key.blue = a.integer("Blue");
        key.alpha = a.integer("Alpha");
    }
    if (!a.ok())
        reason = a.problem();
    return a.ok();
}

bool readObject(const TiXmlElement* element, int index, AnimationObjectDesc& object, std::string& reason)
{
    const std::string where = "Object " + std::to_string(index);
    AttributeReader a(element, where);
    object.file = a.string("file");
    object.type = a.integer("type");
    if (!a.ok()) {
        reason = a.problem();
        return false;
    }
    int keyIndex = 0;
    for (const TiXmlElement* k = element->FirstChildElement("KeyFrame"); k; k = k->NextSiblingElement("KeyFrame")) {
        AnimationKeyFrameDesc key;
        if (!readKeyFrame(k, where + ", KeyFrame " + std::to_string(keyIndex), key, reason))
            return false;
        object.keyFrames.push_back(key);
        ++keyIndex;
    }
    return true;
}

} // namespace

bool AnimationFile::read(const std::string& path, AnimationDesc& out, std::string& reason)
{
    TiXmlDocument doc;
    if (!XmlFile::load(path, doc, "animation")) {
        reason = "the file cannot be read or parsed";
        return false;
    }
    const TiXmlElement* scene = doc.FirstChildElement("Scene");
    if (!scene) {
        reason = "no \"Scene\" element";
        return false;
    }
    AnimationDesc desc;
    AttributeReader a(scene, "Scene");
    desc.name = a.string("name");
    desc.loop = a.integer("loop") != 0;
    desc.length = a.integer("length");
    if (!a.ok()) {
        reason = a.problem();
        return false;
    }
    const TiXmlElement* screen = scene->FirstChildElement("Screen");
    if (!screen) {
        reason = "no \"Screen\" element in \"Scene\"";
        return false;
    }
    AttributeReader s(screen, "Screen");
    desc.width = s.integer("Width");
    desc.height = s.integer("Height");
    if (!s.ok()) {
        reason = s.problem();
        return false;
    }
    int index = 0;
    for (const TiXmlElement* o = scene->FirstChildElement("Object"); o; o = o->NextSiblingElement("Object")) {
        AnimationObjectDesc object;
        if (!readObject(o, index, object, reason))
            return false;
        desc.objects.push_back(std::move(object));
        ++index;
    }
    out = std::move(desc);
    return true;
}
