#include "frontend/DialogFile.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/core/XmlFile.h"

#include <tinyxml.h>

#include <cstring>

namespace {

int number(const TiXmlElement* e, const char* name)
{
    return toIntOrDefault(e->Attribute(name), 0);
}

std::string text(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : std::string();
}

WidgetGeometry box(const TiXmlElement* e)
{
    return WidgetGeometry(number(e, "x"), number(e, "y"), 0, number(e, "w"), number(e, "h"));
}

DialogStep parseStep(const TiXmlElement* e)
{
    DialogStep step;
    const std::string name = e->ValueStr();
    if (name == "Enter") {
        step.kind = DialogStep::Enter;
    } else if (name == "Leave") {
        step.kind = DialogStep::Leave;
    } else if (name == "Talk") {
        step.kind = DialogStep::Talk;
        step.textLabel = text(e, "textLabel");
    } else {
        return step;
    }
    const char* how = e->Attribute("continue");
    if (how && std::strcmp(how, "click") == 0) {
        step.timeout = -1;
        step.character = toIntOrDefault(e->Attribute("character"), -1);
    } else if (how && std::strcmp(how, "timeout") == 0) {
        step.timeout = number(e, "timeout");
        step.character = toIntOrDefault(e->Attribute("character"), -1);
    }
    return step;
}

bool conversationFrom(TiXmlDocument& doc, const std::string& where, DialogFile::Conversation& out)
{
    out = DialogFile::Conversation();
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Dialog") {
        logError("dialog '" + where + "': the root element is not <Dialog>; nothing is played");
        return false;
    }
    if (const TiXmlElement* e = root->FirstChildElement("Background"))
        out.background = text(e, "file");
    if (const TiXmlElement* e = root->FirstChildElement("Sound"))
        out.sound = text(e, "sfx");
    if (const TiXmlElement* e = root->FirstChildElement("Characters"))
        out.charactersFile = text(e, "file");
    if (const TiXmlElement* e = root->FirstChildElement("Reposition")) {
        for (const TiXmlElement* c = e->FirstChildElement(); c; c = c->NextSiblingElement()) {
            if (!c->Attribute("id"))
                continue;
            out.repositions.push_back({number(c, "id"), number(c, "x"), number(c, "y")});
        }
    }
    if (const TiXmlElement* e = root->FirstChildElement("Sequence")) {
        out.hasSequence = true;
        for (const TiXmlElement* s = e->FirstChildElement(); s; s = s->NextSiblingElement())
            out.steps.push_back(parseStep(s));
    }
    return true;
}

bool charactersFrom(TiXmlDocument& doc, const std::string& where, DialogFile::Characters& out)
{
    out = DialogFile::Characters();
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "Characters") {
        logError("dialog characters '" + where + "': the root element is not <Characters>; no characters");
        return false;
    }
    if (const TiXmlElement* d = root->FirstChildElement("Defaults"))
        out.defaultPath = text(d, "path");
    for (const TiXmlElement* c = root->FirstChildElement("Character"); c; c = c->NextSiblingElement("Character")) {
        DialogFile::Character ch;
        ch.id = toIntOrDefault(c->Attribute("id"), -1);
        ch.name = text(c, "name");
        if (const TiXmlElement* b = c->FirstChildElement("TextBox")) {
            ch.hasTextBox = true;
            ch.textBox = box(b);
        }
        if (const TiXmlElement* b = c->FirstChildElement("NameBox")) {
            ch.hasNameBox = true;
            ch.nameBox = box(b);
        }
        const struct {
            const char* element;
            std::string* path;
        } clips[] = {{"EntryAnimation", &ch.entry},
                     {"BeginTalkAnimation", &ch.beginTalk},
                     {"EndTalkAnimation", &ch.endTalk},
                     {"LeaveAnimation", &ch.leave}};
        for (const auto& clip : clips) {
            if (const TiXmlElement* a = c->FirstChildElement(clip.element))
                *clip.path = out.defaultPath + text(a, "file");
        }
        out.characters.push_back(ch);
    }
    return true;
}

} // namespace

bool DialogFile::readConversation(const std::string& path, Conversation& out)
{
    out = Conversation();
    TiXmlDocument doc;
    return XmlFile::load(path, doc, "dialog") && conversationFrom(doc, path, out);
}

bool DialogFile::parseConversation(const std::string& xml, const std::string& where, Conversation& out)
{
    out = Conversation();
    TiXmlDocument doc;
    return XmlFile::parse(xml, doc, "dialog", where) && conversationFrom(doc, where, out);
}

bool DialogFile::readCharacters(const std::string& path, Characters& out)
{
    out = Characters();
    TiXmlDocument doc;
    return XmlFile::load(path, doc, "dialog characters") && charactersFrom(doc, path, out);
}

bool DialogFile::parseCharacters(const std::string& xml, const std::string& where, Characters& out)
{
    out = Characters();
    TiXmlDocument doc;
    return XmlFile::parse(xml, doc, "dialog characters", where) && charactersFrom(doc, where, out);
}
