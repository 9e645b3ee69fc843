// Fonts of the Qt front end: the face the dialog templates name, mapped onto the
// Japanese gothic faces a Debian system has; the dialog base units Windows derives
// from that font; and the fixed-pitch face the message boxes show reports in.
// Used by the dialog views and the message box.
#pragma once

#include <QtGui/QFont>

#include <string>

// Maps the Windows faces the templates may name onto installed faces. Idempotent.
void InstallFontSubstitutions();

// The font a template's FONT statement asks for, or the application's font at that
// size when no face for it is installed.
QFont DialogFont(const std::string& face, int points);

// The rounding MulDiv does: number * numerator / denominator to the nearest
// integer, halves away from zero.
int MulDiv(int number, int numerator, int denominator);

// Dialog units to pixels, for one dialog font, as Windows maps them.
struct DialogUnits {
    int baseX = 1; // average character width
    int baseY = 1; // character height

    int X(int units) const {
        return MulDiv(units, baseX, 4);
    }
    int Y(int units) const {
        return MulDiv(units, baseY, 8);
    }
};
DialogUnits UnitsOf(const QFont& font);

// A fixed-pitch face in which a full-width character is exactly two half-width
// ones, so the reports' columns line up.
QFont ReportFont();
