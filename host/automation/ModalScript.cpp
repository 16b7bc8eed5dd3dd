#include "ModalScript.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {

const char* const kCommands = "click, set, select, expect-text, expect-value, expect-enabled, choose, cancel, picture";

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString skipBlanks(const QString& text)
{
    int i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    return text.mid(i);
}

// Splits "word rest" at the first blank; the rest loses its leading blanks only, because
// values keep the blanks at their end.
void splitWord(const QString& text, QString* word, QString* rest)
{
    int i = 0;
    while (i < text.size() && !isBlank(text.at(i)))
        ++i;
    *word = text.left(i);
    *rest = skipBlanks(text.mid(i));
}

// A value is the rest of the line exactly as written, or a double-quoted string with
// \n, \t, \" and \\ escapes (to show blanks at the end or to write an empty value).
bool takeValue(const QString& text, QString* value, QString* error)
{
    if (!text.startsWith(QLatin1Char('"'))) {
        *value = text;
        return true;
    }
    QString out;
    int i = 1;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"'))
            break;
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar e = text.at(++i);
            if (e == QLatin1Char('n'))
                out += QLatin1Char('\n');
            else if (e == QLatin1Char('t'))
                out += QLatin1Char('\t');
            else if (e == QLatin1Char('"') || e == QLatin1Char('\\'))
                out += e;
            else {
                *error = QStringLiteral("unknown escape \\%1 in a quoted value").arg(e);
                return false;
            }
            continue;
        }
        out += c;
    }
    if (i >= text.size()) {
        *error = QStringLiteral("a quoted value has no closing \"");
        return false;
    }
    if (!text.mid(i + 1).trimmed().isEmpty()) {
        *error = QStringLiteral("text after the closing \" of a quoted value");
        return false;
    }
    *value = out;
    return true;
}

bool parseAction(const QString& body, ModalAction* action, QString* error)
{
    QString command;
    QString rest;
    splitWord(body, &command, &rest);
    QString name;
    QString value;
    splitWord(rest, &name, &value);

    auto needNameAndValue = [&](ModalAction::Kind kind) {
        if (name.isEmpty() || value.isEmpty()) {
            *error = QStringLiteral("%1 needs a name and a value (write \"\" for an empty value)").arg(command);
            return false;
        }
        action->kind = kind;
        action->name = name;
        return takeValue(value, &action->value, error);
    };

    if (command == QLatin1String("click")) {
        // Button texts may hold blanks ("Yes to All"); object names never do.
        if (!takeValue(rest.trimmed(), &action->name, error))
            return false;
        if (action->name.isEmpty()) {
            *error = QStringLiteral("click needs the name or the text of a button");
            return false;
        }
        action->kind = ModalAction::Kind::Click;
        return true;
    }
    if (command == QLatin1String("set"))
        return needNameAndValue(ModalAction::Kind::Set);
    if (command == QLatin1String("expect-value"))
        return needNameAndValue(ModalAction::Kind::ExpectValue);
    if (command == QLatin1String("select")) {
        if (name.isEmpty()) {
            *error = QStringLiteral("select needs the name of a list or table, then row numbers (none clears the selection)");
            return false;
        }
        action->kind = ModalAction::Kind::Select;
        action->name = name;
        for (const QString& word : value.split(QRegularExpression(QStringLiteral("[ \t]+")), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int row = word.toInt(&ok);
            if (!ok || row < 0) {
                *error = QStringLiteral("select: '%1' is not a row number (rows count from 0)").arg(word);
                return false;
            }
            action->rows.append(row);
        }
        return true;
    }
    if (command == QLatin1String("expect-text") || command == QLatin1String("choose")) {
        if (rest.isEmpty()) {
            *error = command == QLatin1String("choose")
                         ? QStringLiteral("choose needs a path")
                         : QStringLiteral("expect-text needs the text (write \"\" for an empty text)");
            return false;
        }
        action->kind = command == QLatin1String("choose") ? ModalAction::Kind::Choose : ModalAction::Kind::ExpectText;
        return takeValue(rest, &action->value, error);
    }
    if (command == QLatin1String("expect-enabled")) {
        if (name.isEmpty() || !ModalScriptText::parseBool(value.trimmed(), &action->enabled)) {
            *error = QStringLiteral("expect-enabled needs a name and true or false");
            return false;
        }
        action->kind = ModalAction::Kind::ExpectEnabled;
        action->name = name;
        return true;
    }
    if (command == QLatin1String("cancel") || command == QLatin1String("picture")) {
        if (!rest.trimmed().isEmpty()) {
            *error = QStringLiteral("%1 takes nothing after it").arg(command);
            return false;
        }
        action->kind = command == QLatin1String("cancel") ? ModalAction::Kind::Cancel : ModalAction::Kind::Picture;
        return true;
    }
    *error = QStringLiteral("unknown action '%1' (known: %2)").arg(command, QLatin1String(kCommands));
    return false;
}

} // namespace

QString ModalAction::describe() const
{
    switch (kind) {
    case Kind::Click:
        return QStringLiteral("click ") + name;
    case Kind::Set:
        return QStringLiteral("set %1 %2").arg(name, ModalScriptText::quoted(value));
    case Kind::Select: {
        QStringList numbers;
        for (int row : rows)
            numbers << QString::number(row);
        return QStringLiteral("select %1 %2").arg(name, numbers.join(QLatin1Char(' '))).trimmed();
    }
    case Kind::ExpectText:
        return QStringLiteral("expect-text ") + ModalScriptText::quoted(value);
    case Kind::ExpectValue:
        return QStringLiteral("expect-value %1 %2").arg(name, ModalScriptText::quoted(value));
    case Kind::ExpectEnabled:
        return QStringLiteral("expect-enabled %1 %2").arg(name, enabled ? QStringLiteral("true") : QStringLiteral("false"));
    case Kind::Choose:
        return QStringLiteral("choose ") + value;
    case Kind::Cancel:
        return QStringLiteral("cancel");
    case Kind::Picture:
        return QStringLiteral("picture");
    case Kind::Run:
        return QStringLiteral("run");
    case Kind::Capture:
        return name.isEmpty() ? QStringLiteral("capture") : QStringLiteral("capture ") + name;
    }
    return QString();
}

bool ModalScript::parse(const QString& text, const QString& source, ModalScript* script, QString* errors)
{
    static const QRegularExpression className(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(::[A-Za-z_][A-Za-z0-9_]*)*$"));
    const QString prefix = source.isEmpty() ? QStringLiteral("line ") : source + QLatin1Char(':');
    QStringList problems;
    ModalScript result;
    result.source = source;

    auto finishBlock = [&] {
        if (!result.blocks.isEmpty() && result.blocks.last().actions.isEmpty())
            problems << QStringLiteral("%1%2: the %3 block has no actions")
                            .arg(prefix)
                            .arg(result.blocks.last().line)
                            .arg(result.blocks.last().windowClass);
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const int number = i + 1;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (!isBlank(line.at(0))) {
            finishBlock();
            if (!className.match(trimmed).hasMatch()) {
                problems << QStringLiteral("%1%2: a block starts with a window class name such as QMessageBox, not '%3'"
                                           " (actions are indented)")
                                .arg(prefix)
                                .arg(number)
                                .arg(trimmed);
                // Later actions would be reported against the wrong block; a placeholder keeps them quiet.
                result.blocks.append(ModalBlock{QString(), {ModalAction()}, number});
                continue;
            }
            result.blocks.append(ModalBlock{trimmed, {}, number});
            continue;
        }
        if (result.blocks.isEmpty()) {
            problems << QStringLiteral("%1%2: '%3' comes before any window class name").arg(prefix).arg(number).arg(trimmed);
            continue;
        }
        ModalAction action;
        QString error;
        if (!parseAction(skipBlanks(line), &action, &error)) {
            problems << QStringLiteral("%1%2: %3").arg(prefix).arg(number).arg(error);
            // The block is not empty for want of actions; the script is refused anyway.
            result.blocks.last().actions.append(ModalAction());
            continue;
        }
        action.line = number;
        result.blocks.last().actions.append(action);
    }
    finishBlock();
    if (result.blocks.isEmpty() && problems.isEmpty())
        problems << QStringLiteral("%1: the script has no blocks").arg(source.isEmpty() ? QStringLiteral("script") : source);

    if (!problems.isEmpty()) {
        if (errors)
            *errors = problems.join(QLatin1Char('\n'));
        *script = ModalScript();
        script->source = source;
        return false;
    }
    *script = result;
    return true;
}

bool ModalScript::load(const QString& path, ModalScript* script, QString* errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errors)
            *errors = QStringLiteral("%1: cannot read the dialog script: %2").arg(path, file.errorString());
        *script = ModalScript();
        return false;
    }
    // Scripts are small; a huge file is a mistake, not a script.
    constexpr qint64 limit = 4 * 1024 * 1024;
    if (file.size() > limit) {
        if (errors)
            *errors = QStringLiteral("%1: the dialog script is larger than 4 MB").arg(path);
        *script = ModalScript();
        return false;
    }
    return parse(QString::fromUtf8(file.readAll()), path, script, errors);
}

QString ModalScript::where(int block) const
{
    if (block < 0 || block >= blocks.size())
        return QString();
    if (!source.isEmpty())
        return QStringLiteral("%1:%2").arg(source).arg(blocks.at(block).line);
    return QStringLiteral("block %1").arg(block + 1);
}

QString ModalScript::where(int block, const ModalAction& action) const
{
    if (block < 0 || block >= blocks.size())
        return QString();
    if (!source.isEmpty())
        return QStringLiteral("%1:%2").arg(source).arg(action.line);
    return QStringLiteral("block %1, action %2").arg(block + 1).arg(action.line);
}

bool ModalScriptText::parseBool(const QString& text, bool* value)
{
    const QString t = text.toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on") || t == QLatin1String("1")
        || t == QLatin1String("checked")) {
        *value = true;
        return true;
    }
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off") || t == QLatin1String("0")
        || t == QLatin1String("unchecked")) {
        *value = false;
        return true;
    }
    return false;
}

QString ModalScriptText::quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + QString(c);
        else
            out += c;
    }
    return out + QLatin1Char('"');
}
