#pragma once

// A LISP source for the highlighter and parser benchmarks: commented definitions, strings
// with escaped quotes, numbers, deep nesting and top-level code between definitions.
#include "dialogs/lisp/LispKeywords.h"

#include <QRandomGenerator>
#include <QStringList>

// `lineCount` lines; with `semicolonStrings` some strings hold ";", which must not be taken
// for the start of a comment.
inline QStringList makeSource(int lineCount, quint32 seed, bool semicolonStrings = true)
{
    QRandomGenerator random(seed);
    const QStringList& keywords = lispKeywords();
    auto keyword = [&] { return keywords.at(random.bounded(keywords.size() - 1)); };
    QStringList lines;
    lines.reserve(lineCount + 64);
    int function = 0;
    while (lines.size() < lineCount) {
        lines << QStringLiteral(";;; ------------------------------------------------------------")
              << QStringLiteral(";;; fn%1: does step %2; returns (list a b) or nil").arg(function).arg(function % 7)
              << QString();
        lines << QStringLiteral("(defun fn%1 (a b / c d *error*)").arg(function);
        const int bodyLines = random.bounded(8, 40);
        for (int i = 0; i < bodyLines; ++i) {
            const int depth = random.bounded(1, 12);
            QString line(2 * depth, QLatin1Char(' '));
            switch (random.bounded(6)) {
            case 0:
                line += QStringLiteral("(setq c (%1 a %2.%3 \"text%4 with (parens) and \\\"quotes\\\"\"))")
                            .arg(keyword())
                            .arg(random.bounded(1000))
                            .arg(random.bounded(100))
                            .arg(semicolonStrings ? QLatin1Char(';') : QLatin1Char(','));
                break;
            case 1:
                line += QStringLiteral("(if (/= a b) (1+ a) (1- b)) ; compare %1").arg(i);
                break;
            case 2:
                line += QString(depth, QLatin1Char('(')) + keyword() + QStringLiteral(" x ")
                        + QString(depth, QLatin1Char(')'));
                break;
            case 3:
                line += QStringLiteral("(%1 (%2 d) (%3 \"a\" \"b\" %4))")
                            .arg(keyword(), keyword(), keyword()).arg(random.bounded(99999));
                break;
            case 4:
                line += QStringLiteral("(vl-string-subst \"new\" \"old\" s) ;; (setq s nil)");
                break;
            default:
                line += QStringLiteral("(foreach e lst (entmod (subst (cons 8 \"0\") (assoc 8 e) e)))");
                break;
            }
            lines << line;
        }
        lines << QStringLiteral("  (princ)") << QStringLiteral(")") << QString();
        if (function % 5 == 0)
            lines << QStringLiteral("(setq *loaded* T) ; top-level code") << QStringLiteral("   ");
        ++function;
    }
    lines.erase(lines.begin() + lineCount, lines.end());
    return lines;
}

