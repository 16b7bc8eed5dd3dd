#pragma once

#include <QString>
#include <QVector>
#include <functional>

class QWidget;

// One thing done to a modal window: a click, a value typed, a check of what it shows.
struct ModalAction
{
    enum class Kind {
        Click,         // name: object name or button text
        Set,           // name, value
        Select,        // name, rows
        ExpectText,    // value: the message box text
        ExpectValue,   // name, value
        ExpectEnabled, // name, enabled
        Choose,        // value: the path
        Cancel,
        Picture,       // a picture of the window as it is now (kvhost --screenshot-dir)
        Run,           // run: code of a test
        Capture,       // name (empty: the window itself), into
    };

    Kind kind = Kind::Click;
    QString name;
    QString value;
    QVector<int> rows;
    bool enabled = false;
    std::function<void(QWidget*)> run;
    QString* into = nullptr;
    // Line in the script file, or the action's number within its block when built in code.
    int line = 0;

    // The action as it is written in a script, e.g. "click okButton".
    QString describe() const;
};

// The work done in one modal window: the class the window must have and what to do in it.
struct ModalBlock
{
    QString windowClass;
    QVector<ModalAction> actions;
    int line = 0;
};

// A dialog script: blocks that apply, in order, to the modal windows as they open.
struct ModalScript
{
    // The file name used in messages; empty for scripts built in code.
    QString source;
    QVector<ModalBlock> blocks;

    // Reads the text form. On errors returns false and puts one "source:line: problem" line
    // per error into *errors; *script is then left empty.
    static bool parse(const QString& text, const QString& source, ModalScript* script, QString* errors);
    static bool load(const QString& path, ModalScript* script, QString* errors);

    // Where a block or an action is, for messages: "file:12" or "block 2, action 3".
    QString where(int block) const;
    QString where(int block, const ModalAction& action) const;
};

namespace ModalScriptText {
// Reads true/false the way scripts write it (true, yes, on, 1, checked and their opposites).
bool parseBool(const QString& text, bool* value);
// Puts text in double quotes with \n, \t, \" and \\ escaped, so blanks at the end show.
QString quoted(const QString& text);
} // namespace ModalScriptText
