#include "ui/dialog_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include "ui/dialog_units.h"

namespace kestrun {

namespace {

constexpr qreal PointSize = 8;
constexpr qreal SmallestPointSize = 5;
constexpr qreal PointSizeStep = 0.5;
// The faces run a little wider than the one the templates were measured with.
constexpr int LetterSpacingPercent = 95;

// Faces close to the one the templates were drawn with, best first. Some installed faces
// reserve so much room above and below their letters that a line outgrows the label, and a
// wide face cuts the captions short: such a face is passed over.
constexpr const char* PreferredFaces[] = {"Liberation Sans", "Arial", "Nimbus Sans", "Helvetica",
                                          "DejaVu Sans Condensed"};

QFont FontOf(const QString& family, qreal pointSize) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setLetterSpacing(QFont::PercentageSpacing, LetterSpacingPercent);
    return font;
}

// Measured as the base units themselves are: the height of a line and the average width of
// the 52 letters of the alphabet.
bool FitsBaseUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return metrics.ascent() + metrics.descent() <= BaseUnitY &&
           metrics.horizontalAdvance(letters) / letters.size() <= BaseUnitX;
}

QFont ChooseDialogFont() {
    // Only faces installed under their own name: resolving aliases costs fontconfig a full
    // substitution per name, and an alias of a face that fits is found under its own name.
    const QStringList installed = QFontDatabase::families();
    for (const char* face : PreferredFaces) {
        const QString family = QString::fromLatin1(face);
        const QFont font = FontOf(family, PointSize);
        if (installed.contains(family, Qt::CaseInsensitive) && FitsBaseUnits(font)) {
            return font;
        }
    }
    // No preferred face fits: the system's own sans-serif face, made smaller until it does.
    QFont font = FontOf(QString(), PointSize);
    while (!FitsBaseUnits(font) && font.pointSizeF() > SmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - PointSizeStep);
    }
    return font;
}

}  // namespace

// The installed faces do not change while the program runs; every window asks again.
QFont DialogFont() {
    static const QFont font = ChooseDialogFont();
    return font;
}

}  // namespace kestrun
