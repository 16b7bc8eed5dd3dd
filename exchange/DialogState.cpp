#include "exchange/DialogState.h"

#include "exchange/FavouritesStore.h"
#include "kernel/KvSystemServices.h"
#include "module/HostServices.h"
#include "widgets/KvQtUnitSpinBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCodec>
#include <QTextStream>
#include <QToolButton>
#include <cmath>
#include <vector>

namespace {
const char* const ValueProperty = "value";
const char* const SavesValueProperty = "kvSavesValue";

// State lines grouped by the text before their first "=": an open-addressing table of
// groups, each a chain of line indices. Keys are views into the lines themselves, so
// building and searching it allocates nothing per line.
class StateLineIndex
{
public:
    explicit StateLineIndex(const QStringList& lines) : m_lines(lines)
    {
        std::size_t capacity = 16;
        while (capacity < std::size_t(lines.size()) * 2 + 64)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
        m_next.reserve(std::size_t(lines.size()) * 2 + 16);
        for (int i = 0; i < lines.size(); ++i) {
            const int eq = lines.at(i).indexOf(QLatin1Char('='));
            if (eq >= 0)
                add(QStringView(lines.at(i)).left(eq), i);
            else
                ensureNext(i);
        }
    }

    // The group of lines whose prefix is key (ignoring case), or -1.
    int find(QStringView key) const
    {
        const uint h = keyHash(key);
        for (std::size_t s = h & mask();; s = (s + 1) & mask()) {
            const Slot& slot = m_slots[s];
            if (slot.head == Empty)
                return -1;
            if (slot.head >= 0 && slot.hash == h && sameKey(prefixOf(slot.head), key))
                return int(s);
        }
    }
    int headOf(int group) const { return m_slots[std::size_t(group)].head; }
    int nextOf(int line) const { return m_next[std::size_t(line)]; }
    void remove(int group) { m_slots[std::size_t(group)].head = Removed; }

    // Adds one line (with no successor) under its prefix.
    void add(QStringView prefix, int line)
    {
        ensureNext(line);
        m_next[std::size_t(line)] = -1;
        addChain(prefix, line);
    }

    // Adds a chain of lines (already linked) under their common prefix.
    void addChain(QStringView prefix, int first)
    {
        int last = first;
        while (m_next[std::size_t(last)] >= 0)
            last = m_next[std::size_t(last)];
        const uint h = keyHash(prefix);
        std::size_t s = h & mask();
        for (;; s = (s + 1) & mask()) {
            Slot& slot = m_slots[s];
            if (slot.head == Empty)
                break;
            if (slot.head >= 0 && slot.hash == h && sameKey(prefixOf(slot.head), prefix)) {
                m_next[std::size_t(slot.tail)] = first;
                slot.tail = last;
                return;
            }
        }
        if (++m_used * 2 > m_slots.size()) {
            grow();
            addChain(prefix, first);
            return;
        }
        m_slots[s] = Slot{h, first, last};
    }

private:
    static constexpr int Empty = -1;
    static constexpr int Removed = -2;
    struct Slot
    {
        uint hash = 0;
        int head = Empty;
        int tail = Empty;
    };

    std::size_t mask() const { return m_slots.size() - 1; }
    // Keys are compared ignoring case, so the hash is taken of the lower-case form; most
    // keys are lower case already and need no copy.
    static uint keyHash(QStringView key)
    {
        for (const QChar c : key) {
            if (c.isSurrogate() || c.toLower() != c)
                return qHash(CDialogState::lowerKey(key));
        }
        return qHash(key);
    }
    // Equal in the lower case that the hash is taken of.
    static bool sameKey(QStringView a, QStringView b)
    {
        return a == b || CDialogState::lowerKey(a) == CDialogState::lowerKey(b);
    }
    QStringView prefixOf(int line) const
    {
        const QString& text = m_lines.at(line);
        const int eq = text.indexOf(QLatin1Char('='));
        return QStringView(text).left(eq < 0 ? text.size() : eq);
    }
    void ensureNext(int line)
    {
        if (m_next.size() <= std::size_t(line))
            m_next.resize(std::size_t(line) + 1, -1);
    }
    void grow()
    {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(old.size() * 2, Slot{});
        m_used = 0;
        for (const Slot& slot : old) {
            if (slot.head < 0)
                continue;
            std::size_t s = slot.hash & mask();
            while (m_slots[s].head != Empty)
                s = (s + 1) & mask();
            m_slots[s] = slot;
            ++m_used;
        }
    }

    const QStringList& m_lines;
    std::vector<Slot> m_slots;
    std::vector<int> m_next;
    std::size_t m_used = 0;
};

QString number6(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

// A text a person typed with "..." in it is no elided form unless the kept text happens
// to fit around it.
bool CDialogState::isElidedForm(const QString& shown, const QString& full)
{
    if (full.isEmpty())
        return false;
    int at = shown.indexOf(QChar(0x2026));
    int length = 1;
    if (at < 0) {
        at = shown.indexOf(QLatin1String("..."));
        length = 3;
    }
    if (at < 0)
        return false;
    const QStringRef left = shown.leftRef(at);
    const QStringRef right = shown.midRef(at + length);
    return full.size() >= left.size() + right.size() && full.startsWith(left) && full.endsWith(right);
}

namespace {
// The text a line edit stands for: the kept full text when it shows an elided form of it.
QString fullTextBehind(const QWidget* widget, const QString& shown)
{
    const QString full = widget->property(ValueProperty).toString();
    return CDialogState::isElidedForm(shown, full) ? full : shown;
}
} // namespace

CDialogState::CDialogState(QDialog* owner) : m_owner(owner)
{
    const QString log = HostServices::systemVariable(QStringLiteral("LOGFILEPATH"));
    m_favouritesFolder = log + QStringLiteral("Korvane/Favorites");
    if (!log.isEmpty() && !QDir(m_favouritesFolder).exists())
        QDir().mkpath(m_favouritesFolder);
    if (m_owner)
        m_owner->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CDialogState::~CDialogState() = default;

void CDialogState::loadStateFile(const CKvString& path)
{
    // A dialog shown before reopens where the user left it.
    if (m_owner) {
        const QRect g = m_owner->geometry();
        if (g.x() != 0 && g.y() != 0)
            m_owner->setGeometry(g);
    }
    if (path.isEmpty())
        return;
    m_path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    mergeStateText(m_lines, file);
}

void CDialogState::mergeStateText(QStringList& stateLines, QIODevice& device)
{
    // A byte-order mark says UTF-8 (or UTF-16); without one the text is in the local codec.
    QTextStream in(&device);
    in.setAutoDetectUnicode(true);
    in.setCodec(QTextCodec::codecForLocale());

    // A file line replaces every state line whose key (the text before its first "=") is
    // the file line's key, ignoring case: a key the LISP side writes in mixed case is
    // replaced by the next file's line, not kept beside it with its stale value. The state
    // lines are grouped by their keys, so each file line takes one look-up.
    StateLineIndex index(stateLines);
    QString line;
    QString lowered;
    while (in.readLineInto(&line)) {
        const int eq = line.indexOf(QLatin1Char('='));
        const QStringView prefix = eq < 0 ? QStringView(line) : QStringView(line).left(eq);
        // Most keys are lower case already; only others need a lower-cased copy.
        QStringView key = prefix;
        for (const QChar c : prefix) {
            // Letters outside the basic plane come as surrogate pairs: lower-case those whole.
            if (c.isSurrogate() || c.toLower() != c) {
                lowered = lowerKey(prefix);
                key = lowered;
                break;
            }
        }
        const int group = index.find(key);
        if (group >= 0) {
            const int first = index.headOf(group);
            for (int i = first; i >= 0; i = index.nextOf(i))
                stateLines[i] = line;
            index.remove(group);
            if (eq >= 0)
                index.addChain(QStringView(stateLines[first]).left(eq), first);
        } else {
            stateLines.append(line);
            if (eq >= 0)
                index.add(QStringView(stateLines.last()).left(eq), stateLines.size() - 1);
        }
    }
}

QString CDialogState::lowerKey(QStringView key)
{
    QString lower;
    lower.reserve(key.size());
    for (int i = 0; i < key.size(); ++i) {
        const QChar c = key[i];
        if (c.isHighSurrogate() && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
            const uint code = QChar::toLower(QChar::surrogateToUcs4(c, key[i + 1]));
            if (QChar::requiresSurrogates(code)) {
                lower += QChar(QChar::highSurrogate(code));
                lower += QChar(QChar::lowSurrogate(code));
            } else {
                lower += QChar(code);
            }
            ++i;
        } else {
            lower += c.isSurrogate() ? c : c.toLower();
        }
    }
    return lower;
}

QString CDialogState::stateValue(const QString& name) const
{
    return valueOf(m_lines, name);
}

QString CDialogState::valueOf(const QStringList& stateLines, const QString& name)
{
    if (name.isEmpty())
        return QString();
    for (const QString& line : stateLines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || eq != name.size())
            continue;
        if (line.leftRef(eq).compare(name, Qt::CaseInsensitive) == 0) {
            const int next = line.indexOf(QLatin1Char('='), eq + 1);
            return next < 0 ? line.mid(eq + 1) : line.mid(eq + 1, next - eq - 1);
        }
    }
    return QString();
}

void CDialogState::setStateValue(const QString& name, const QString& value)
{
    const QString prefix = name + QLatin1Char('=');
    for (QString& line : m_lines)
        if (line.startsWith(prefix))
            line = prefix + value;
}

QHash<QString, QString> CDialogState::stateValues() const
{
    QHash<QString, QString> values;
    values.reserve(m_lines.size());
    for (const QString& line : m_lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).toLower();
        if (values.contains(key))
            continue;
        const int next = line.indexOf(QLatin1Char('='), eq + 1);
        values.insert(key, next < 0 ? line.mid(eq + 1) : line.mid(eq + 1, next - eq - 1));
    }
    return values;
}

void CDialogState::applyState(const QString& which)
{
    if (!m_owner)
        return;
    // Looked up once instead of once per control.
    const QHash<QString, QString> values = stateValues();
    const QList<QWidget*> widgets = m_owner->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName().toLower();
        if (name.isEmpty() || (which != QLatin1String("*") && name != which.toLower()))
            continue;
        const QString value = values.value(name);
        if (!value.isEmpty())
            applyValue(widget, value);
    }
    m_applied = true;
}

void CDialogState::setSavesValue(QLabel* label, bool saves)
{
    if (label)
        label->setProperty(SavesValueProperty, saves);
}

void CDialogState::showElided(QWidget* widget, const QString& text)
{
    if (!widget)
        return;
    widget->setProperty(ValueProperty, text);
    const int width = qMax(0, widget->width() - 8);
    const QString shown = QFontMetrics(widget->font()).elidedText(text, Qt::ElideMiddle, width, Qt::TextSingleLine);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(shown);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(shown);
}

void CDialogState::applyValue(QWidget* widget, const QString& value)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        // A value from a file is shown as it stands: "<b>" is no markup there.
        label->setTextFormat(Qt::PlainText);
        label->setText(value);
        label->setProperty(ValueProperty, value);
    } else if (qobject_cast<QToolButton*>(widget) || qobject_cast<QPushButton*>(widget)) {
        // buttons carry no value
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setChecked(value != QLatin1String("FALSE"));
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        if (edit->objectName() == QLatin1String("qt_spinbox_lineedit"))
            return;
        const int width = qMax(0, edit->width() - 8);
        edit->setText(QFontMetrics(edit->font()).elidedText(value, Qt::ElideMiddle, width, Qt::TextSingleLine));
        edit->setProperty(ValueProperty, value);
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
        radio->setChecked(value != QLatin1String("FALSE"));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->objectName().compare(QLatin1String("cb_favorits"), Qt::CaseInsensitive) != 0)
            combo->setCurrentText(value);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (QListWidgetItem* item = list->currentItem())
            item->setText(value);
    } else if (auto* unit = qobject_cast<CKvQtUnitSpinBox*>(widget)) {
        const double v = value.toDouble();
        if (unit->isAngle())
            unit->set(v * M_PI / 180.0);
        else
            unit->setValue(v);
    } else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(widget)) {
        dspin->setValue(value.toDouble());
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        const double v = value.toDouble();
        spin->setValue(std::isfinite(v) ? int(qBound(-2147483647.0, std::trunc(v), 2147483647.0)) : 0);
    } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        tabs->setCurrentIndex(value.toInt());
    } else if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        table->clearSelection();
        // The empty part after the last "^" names no row.
        const QStringList parts = value.split(QLatin1Char('^'), Qt::SkipEmptyParts);
        if (parts.isEmpty())
            return;
        // The first cell of each text, column by column, found in one pass: a selection
        // brought back from picking may name many rows of a list of 100,000 blocks, and a
        // search per name would take seconds.
        QHash<QString, QTableWidgetItem*> first;
        for (const QString& part : parts)
            first.insert(part, nullptr);
        int missing = first.size();
        for (int c = 0; c < table->columnCount() && missing > 0; ++c)
            for (int r = 0; r < table->rowCount() && missing > 0; ++r)
                if (QTableWidgetItem* item = table->item(r, c)) {
                    const auto it = first.find(item->text());
                    if (it != first.end() && !it.value()) {
                        it.value() = item;
                        --missing;
                    }
                }
        // A table where one row may be chosen shows one chosen row: the first named.
        const bool single = table->selectionMode() == QAbstractItemView::SingleSelection;
        // A table chosen from by rows shows the whole row chosen, as a click would.
        const QItemSelectionModel::SelectionFlags flags =
            table->selectionBehavior() == QAbstractItemView::SelectRows
                ? QItemSelectionModel::Select | QItemSelectionModel::Rows
                : QItemSelectionModel::Select;
        for (const QString& part : parts)
            if (QTableWidgetItem* item = first.value(part)) {
                if (QItemSelectionModel* selection = table->selectionModel())
                    selection->select(table->model()->index(item->row(), item->column()), flags);
                table->scrollToItem(item);
                if (single)
                    break;
            }
    }
}

QString CDialogState::encodedValue(QWidget* widget, QString* indexLine)
{
    if (indexLine)
        indexLine->clear();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->property(SavesValueProperty).toBool() ? fullTextBehind(label, label->text()) : QString();
    if (qobject_cast<QToolButton*>(widget) || qobject_cast<QPushButton*>(widget))
        return QString();
    if (auto* check = qobject_cast<QCheckBox*>(widget))
        return check->isChecked() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return fullTextBehind(edit, edit->text());
    if (auto* radio = qobject_cast<QRadioButton*>(widget))
        return radio->isChecked() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (indexLine)
            *indexLine = QString::number(combo->currentIndex());
        return combo->currentText();
    }
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return list->currentItem() ? list->currentItem()->text() : QString();
    if (auto* unit = qobject_cast<CKvQtUnitSpinBox*>(widget))
        return number6(unit->isAngle() ? unit->value() * 180.0 / M_PI : unit->value());
    if (auto* dspin = qobject_cast<QDoubleSpinBox*>(widget))
        return number6(dspin->value());
    if (qobject_cast<QSpinBox*>(widget))
        return QString();
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        return QString::number(tabs->currentIndex());
    if (auto* table = qobject_cast<QTableWidget*>(widget)) {
        QString out;
        if (QItemSelectionModel* selection = table->selectionModel()) {
            QVector<int> rows;
            QSet<int> seen;
            for (const QModelIndex& index : selection->selectedIndexes())
                if (!seen.contains(index.row())) {
                    seen.insert(index.row());
                    rows.append(index.row());
                }
            for (int row : rows) {
                const QTableWidgetItem* item = table->item(row, 0);
                out += (item ? item->text() : QString()) + QLatin1Char('^');
            }
        }
        return out;
    }
    return QString();
}

bool CDialogState::saveStateFile(const CKvString& group, const CKvString& favourite)
{
    if (!group.isEmpty()) {
        // A favourite: every control's value under the favourite's name in the settings
        // store; no index lines and no action. Keys stored earlier and not written now stay.
        if (!m_owner || favourite.isEmpty())
            return false;
        QVector<QPair<QString, QString>> values;
        const QList<QWidget*> widgets = m_owner->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            const QString name = widget->objectName().toLower();
            if (name.isEmpty())
                continue;
            const QString value = encodedValue(widget);
            if (!value.isEmpty())
                values.append({name, value});
        }
        return CFavouritesStore(group).writeValues(favourite, values);
    }
    if (m_path.isEmpty() || !m_owner)
        return false;
    // The new file replaces the old one only once it is complete.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // The mark is written even when no control has a value: such a file holds only the mark.
    if (file.write("\xEF\xBB\xBF", 3) != 3)
        return false;
    QTextStream out(&file);
    out.setAutoDetectUnicode(false);
    out.setCodec("UTF-8");
    out.setGenerateByteOrderMark(false);
    bool first = true;
    const QList<QWidget*> widgets = m_owner->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QString name = widget->objectName().toLower();
        if (name.isEmpty())
            continue;
        QString indexValue;
        const QString value = encodedValue(widget, &indexValue);
        if (value.isEmpty())
            continue;
        out << name << '=' << value << '\n';
        if (!indexValue.isEmpty())
            out << name << "_index=" << indexValue << '\n';
        if (first) {
            out << "!action!=" << m_action << '\n';
            first = false;
        }
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString CDialogState::storedFullText(QWidget* widget, const CKvString& text)
{
    if (!widget)
        return text;
    if (isElidedForm(text, widget->property(ValueProperty).toString()))
        return widget->property(ValueProperty).toString();
    widget->setProperty(ValueProperty, QString(text));
    return text;
}

// --- Common services

QString CDialogState::moduleDataFolder()
{
    return HostServices::systemVariable(QStringLiteral("LOGFILEPATH")) + QStringLiteral("Korvane");
}

int CDialogState::helpTopicId(const QString& topic)
{
    static const struct
    {
        const char* topic;
        int id;
    } topics[] = {
        {"breakline", 9101},          {"importdimensionstyle", 9122},    {"replaceblock", 9105},
        {"convertsimplenotes", 9104}, {"lispexplorer", 9111},            {"replaceblockbyreference", 9106},
        {"drawordercolor", 9127},     {"makelinestyle", 9110},           {"showlinks", 0},
        {"editalias", 0},             {"makeshape", 9132},               {"textframe", 9113},
        {"edittextcase", 9117},       {"mergesheets", 9136},             {"textmask", 9115},
        {"exchangeddimensionstyle", 9121}, {"multiviewsetup", 9145},     {"tracktime", 0},
        {"exportInfo", 9133},         {"numbertext", 9112},              {"getblockinfo", 9109},
        {"exportvariables", 9134},    {"patternhatch", 9102},            {"importblockattributes", 9108},
        {"variabletoscript", 9135},   {"redefinepaths", 9107},           {"removefavorits", 0},
    };
    for (const auto& t : topics)
        if (topic == QLatin1String(t.topic))
            return t.id;
    return 0;
}

void CDialogState::showHelp(const QString& topic)
{
    CKvHelp::Help(HostServices::helpFileName(), helpTopicId(topic), nullptr, 16);
}
