#pragma once
// Told when the user toggles a check box; `checked` is the new state.
class CheckBoxListener {
public:
    virtual ~CheckBoxListener() = default;
    virtual void onCheckChanged(int id, bool checked) = 0;
};
