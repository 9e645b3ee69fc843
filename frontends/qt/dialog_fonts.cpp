// Fonts of the Qt front end: the dialog templates' face mapped onto installed
// Japanese faces, the dialog base units, and the report face of the message boxes.
// Used by dialog_view.cpp and message_box.cpp.
#include "frontends/qt/dialog_fonts.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include <cmath>

namespace {

// The proportional and the fixed-pitch gothic of Windows, under their Japanese and
// their English names; each followed by the faces that stand in for it, best first.
const char* const proportionalGothic[] = {"ＭＳ Ｐゴシック", "MS PGothic"};
const char* const fixedGothic[] = {"ＭＳ ゴシック", "MS Gothic"};

QStringList ProportionalStandIns() {
    return {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
}

QStringList FixedStandIns() {
    return {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
}

bool AnyInstalled(const QStringList& families) {
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            return true;
        }
    }
    return false;
}

} // namespace

void InstallFontSubstitutions() {
    for (const char* face : proportionalGothic) {
        QFont::removeSubstitutions(QString::fromUtf8(face));
        QFont::insertSubstitutions(QString::fromUtf8(face), ProportionalStandIns());
    }
    for (const char* face : fixedGothic) {
        QFont::removeSubstitutions(QString::fromUtf8(face));
        QFont::insertSubstitutions(QString::fromUtf8(face), FixedStandIns());
    }
}

QFont DialogFont(const std::string& face, int points) {
    const QString family = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    QFont font = QGuiApplication::font();
    // Without any of the faces, asking for an unknown family would leave the choice
    // to fontconfig; the application's own font is the better guess.
    if (!family.isEmpty() &&
        (QFontDatabase::hasFamily(family) || AnyInstalled(QFont::substitutes(family)))) {
        font = QFont(family);
    }
    if (points > 0) {
        font.setPointSize(points);
    }
    return font;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    long long product = static_cast<long long>(number) * numerator;
    long long divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const long long quotient =
        product >= 0 ? (product + divisor / 2) / divisor : -((-product + divisor / 2) / divisor);
    return static_cast<int>(quotient);
}

DialogUnits UnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    DialogUnits units;
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    units.baseX = (alphabet / 26 + 1) / 2;
    units.baseY = metrics.height();
    if (units.baseX < 1) {
        units.baseX = 1;
    }
    if (units.baseY < 1) {
        units.baseY = 1;
    }
    return units;
}

QFont ReportFont() {
    QStringList families = FixedStandIns();
    families.append(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // 9 points, rounded to an even number of pixels: a half-width character is then
    // a whole number of pixels wide, and a full-width one exactly twice that.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    int pixels = 2 * static_cast<int>(std::lround(9.0 * dpi / 72.0 / 2.0));
    if (pixels < 10) {
        pixels = 10;
    }
    font.setPixelSize(pixels);
    return font;
}
