#pragma once

#include <QByteArray>
#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// A dimension style file (.dim): blocks of lines, each from a name line
// ("DIMENSION_STYLE_NAME <name>") to an end line ("END_OF_STYLE"). The lines between are the
// style's variables ("NAME value"), its text style description ("DIMTXT_" lines) and linetype
// variables that carry N characters of embedded linetype text. Outside blocks nothing counts.
//
// The file is kept as its bytes, line by line, so that exported blocks are exact copies of
// the source whatever its encoding; names and variables are read from the decoded lines.
class DimStyleFile final
{
public:
    // What a style's blocks hold for showing: the collected lines, and (when asked for) the
    // text style names of their DIMTXSTY lines, which are then not collected.
    struct Content
    {
        QStringList lines;
        QStringList textStyles;
    };
    using Row = QPair<QString, QString>;

    DimStyleFile() = default;
    explicit DimStyleFile(const QByteArray& bytes);
    // An unreadable or missing file holds nothing.
    static DimStyleFile read(const QString& path);

    int lineCount() const { return m_lines.size(); }

    // The name of every name line, in file order (repeats included).
    QStringList styleNames() const { return m_names; }

    // The lines of every block of the style (names compared ignoring case) after its name
    // line, up to its end line: "DIMTXT_" lines skipped, a linetype variable collected as its
    // name and linetype with its embedded text consumed, other lines as they stand. With
    // textStyleApart, DIMTXSTY lines are not collected but give their text style names.
    Content content(const QString& name, bool textStyleApart) const;

    // The variable table of collected lines: the first line is not a variable, nor is a line
    // without a blank; the others give their first two blank-separated fields.
    static QVector<Row> variableRows(const QStringList& collected);

    // Exact copies of the blocks of the named styles, in the order given (every block of a
    // repeated name), each line ended by CR LF; without fullTextStyle "DIMTXT_" lines are
    // left out.
    QByteArray exportStyles(const QStringList& names, bool fullTextStyle) const;

    // The name a name line gives (the text after its first blank), or a null string when
    // the line is no name line.
    static QString nameOfLine(const QString& line);

private:
    // Index of the first end line at or after `line`; lineCount() when there is none.
    int endLineFrom(int line) const;
    // Skips the embedded linetype text that follows line `line` (N characters, then the rest
    // of the line they end on). Returns the index of the next line to look at.
    int skipEmbeddedText(int line, int characters) const;

    QVector<QByteArray> m_raw;   // the lines as stored, without their line ends
    QStringList m_lines;         // the same lines decoded
    bool m_lastLineEnded = true; // whether the last line had a line end
    QStringList m_names;
    QHash<QString, QVector<int>> m_nameLines; // upper-cased name -> its name lines
    QVector<int> m_nextEnd;                    // per line: the first end line at or after it
};
