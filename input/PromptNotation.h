#pragma once

#include <QString>
#include <QStringList>

// The suite's prompt notation, "message[kw1/kw2/...]<default>", taken apart. Both bracket
// parts are optional. Free of any host call so that it can be tested on its own.
struct PromptNotation
{
    QString message;      // text before "[" (or before "<" without keywords); all of it without either
    QStringList keywords; // between "[" and the next "]", split at "/", empty parts kept
    QString defaultText;  // between "<" and the next ">"
    bool hasKeywords = false;
    bool hasDefault = false;

    // Parses text as it stands.
    static PromptNotation parse(const QString& text);
    // The prompt family removes every backslash followed by "n" (the two characters) first.
    static QString withoutBackslashN(const QString& text);
    // The drag removes every line break.
    static QString withoutLineBreaks(const QString& text);
    // Whether a default is a number: "[+-]?\d*\.?\d+" matched against the whole text.
    static bool isNumber(const QString& text);
    // The integer a numeric default stands for (the digits before any decimal point, clamped
    // to the range of int).
    static int toInteger(const QString& text);
    // Whether the host's integer prompt takes the value (16 bits, signed).
    static bool isInt16(int value) { return value >= -32768 && value <= 32767; }
    static double toReal(const QString& text);
    // The extra keyword that stands for a default that is not a number: "Enter to <default in
    // lower case>" (translated).
    static QString enterToKeyword(const QString& defaultText);
};
