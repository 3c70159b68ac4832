#include "engine/ui/ButtonDesc.h"

namespace {

bool sameGeometry(const WidgetGeometry& a, const WidgetGeometry& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w && a.h == b.h;
}

} // namespace

ButtonDesc::Look::Look(Color fill_, Color text_, GLTexture* texture_, const WidgetGeometry& placement_,
                       int32_t extra_, Font* font_)
    : fill(fill_), text(text_), texture(texture_), placement(placement_), extra(extra_), font(font_)
{
}

ButtonDesc::Look::Look(Color fill_, Color text_, GLTexture* texture_, const WidgetGeometry& insets, Font* font_)
    : fill(fill_), text(text_), texture(texture_), placement(insets), font(font_)
{
}

bool ButtonDesc::Look::operator==(const Look& o) const
{
    return fill == o.fill && text == o.text && texture == o.texture && sameGeometry(placement, o.placement) &&
           extra == o.extra && font == o.font;
}

ButtonDesc::ButtonDesc()
{
    saveColors();
}

ButtonDesc::ButtonDesc(const Look& normal, const Look& hovered, const Look& pressed, const Look& disabled,
                       int fadeTimeMs)
    : fadeTime(fadeTimeMs)
    , looks{normal, hovered, pressed, disabled}
{
    saveColors();
}

void ButtonDesc::saveColors()
{
    savedColors.clear();
    for (const Look& look : looks) {
        savedColors.push_back(look.text);
        savedColors.push_back(look.fill);
    }
}

void ButtonDesc::restoreColors()
{
    // A description whose saved colours were cleared or resized by hand keeps
    // its current colours rather than reading past the vector.
    if (savedColors.size() != 2 * LookCount)
        return;
    for (int i = 0; i < LookCount; ++i) {
        looks[i].text = savedColors[2 * i];
        looks[i].fill = savedColors[2 * i + 1];
    }
}

Color ButtonDesc::savedText(int look) const
{
    if (look < 0 || look >= LookCount || savedColors.size() != 2 * LookCount)
        return Color();
    return savedColors[2 * look];
}

Color ButtonDesc::savedFill(int look) const
{
    if (look < 0 || look >= LookCount || savedColors.size() != 2 * LookCount)
        return Color();
    return savedColors[2 * look + 1];
}
