#include "ui/widgets/Fonts.h"

#include <QStringList>

namespace ostra {

namespace {

QFont makeFont(const QStringList& families, int pixelSize, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    // Unhinted advances and a hair less space between letters bring the
    // substitute faces to the narrower set width of the originals.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.35);
    return font;
}

const QStringList kSansFamilies{"Liberation Sans", "Arimo", "DejaVu Sans"};

} // namespace

QFont WindowFont() { return makeFont(kSansFamilies, 11); }
QFont BoldWindowFont() { return makeFont(kSansFamilies, 11, true); }
QFont ListFont() { return makeFont(kSansFamilies, 13); }
QFont HelpFont() { return makeFont(kSansFamilies, 16); }

QFont TerminalFont()
{
    QFont font = makeFont({"DejaVu Sans Mono"}, 12);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

QFont CourierFont()
{
    QFont font = makeFont({"Liberation Mono", "Cousine", "DejaVu Sans Mono"}, 13);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace ostra
