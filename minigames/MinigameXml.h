#pragma once
// Attribute readers shared by the minigames' description-file parsers. For
// their .cpp files only: TinyXML stays out of public headers.
#include "engine/core/StringUtils.h"
#include "engine/core/Types.h"

#include <tinyxml.h>

#include <string>

// The integer attribute, or 0 when it is missing.
inline int xmlInt(const TiXmlElement* e, const char* name)
{
    return toIntOrDefault(e->Attribute(name), 0);
}

// The attribute's text, or empty when it is missing.
inline std::string xmlText(const TiXmlElement* e, const char* name)
{
    const char* value = e->Attribute(name);
    return value ? value : std::string();
}

// The "x" and "y" attributes.
inline Point xmlPoint(const TiXmlElement* e)
{
    return Point(xmlInt(e, "x"), xmlInt(e, "y"));
}
