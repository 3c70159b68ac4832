#pragma once
// A pattern that a Factory matches against the description of the object to
// create (for item renderers: the item's group, type id and type).
class InputData {
public:
    virtual ~InputData() = default;
    // True when this pattern accepts `other`. Null, and data of another kind,
    // are never accepted.
    virtual bool matches(const InputData* other) const = 0;
};
