#include "WidgetActions.h"

#include "ModalScript.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>
#include <cmath>

namespace WidgetActions {

namespace {

QString className(const QObject* object)
{
    return QString::fromLatin1(object->metaObject()->className());
}

// Names a person writing a script can use: Qt's own internal children ("qt_…") are left out.
QString namedWidgets(QWidget* window)
{
    QStringList names;
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !names.contains(name))
            names << name;
    }
    std::sort(names.begin(), names.end());
    constexpr int shown = 30;
    if (names.size() > shown) {
        const int more = names.size() - shown;
        names = names.mid(0, shown);
        names << QStringLiteral("and %1 more").arg(more);
    }
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

QString buttonTexts(QWidget* window)
{
    QStringList texts;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window) && !b->text().isEmpty())
            texts << plainText(b->text());
    texts.removeDuplicates();
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
}

// Puts text into a line edit as typing does: through its validator and length limit, with
// textEdited, then editingFinished as when the person moves on.
QString typeInto(QLineEdit* edit, const QString& name, const QString& value)
{
    if (edit->isReadOnly())
        return QStringLiteral("%1 is read-only").arg(name);
    edit->selectAll();
    edit->insert(value);
    if (edit->inputMask().isEmpty() && edit->text() != value)
        return QStringLiteral("%1 did not take %2; it shows %3")
            .arg(name, ModalScriptText::quoted(value), ModalScriptText::quoted(edit->text()));
    if (edit->hasAcceptableInput())
        emit edit->editingFinished();
    return QString();
}

bool parseNumber(const QWidget* widget, const QString& text, double* value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        *value = widget->locale().toDouble(text.trimmed(), &ok);
    return ok;
}

QString spinRange(const QAbstractSpinBox* box)
{
    if (const auto* s = qobject_cast<const QSpinBox*>(box))
        return QStringLiteral(" (from %1 to %2)").arg(s->minimum()).arg(s->maximum());
    if (const auto* d = qobject_cast<const QDoubleSpinBox*>(box))
        return QStringLiteral(" (from %1 to %2)").arg(d->textFromValue(d->minimum()), d->textFromValue(d->maximum()));
    return QString();
}

QString setSpinBox(QAbstractSpinBox* box, const QString& name, const QString& value)
{
    if (box->isReadOnly())
        return QStringLiteral("%1 is read-only").arg(name);
    // A person types what the box shows (units, degrees), so the text goes through the
    // box's own validation rather than setValue().
    QString copy = value;
    int pos = copy.size();
    if (box->validate(copy, pos) != QValidator::Acceptable)
        return QStringLiteral("%1 does not accept %2%3").arg(name, ModalScriptText::quoted(value), spinRange(box));
    QLineEdit* edit = box->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    if (!edit)
        return QStringLiteral("%1 has no text field to type into").arg(name);
    edit->selectAll();
    edit->insert(value);
    box->interpretText();
    emit box->editingFinished();
    return QString();
}

QString setComboBox(QComboBox* combo, const QString& name, const QString& value)
{
    const int index = combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        combo->setCurrentIndex(index);
        // What a person's pick adds to setCurrentIndex().
        emit combo->activated(index);
        emit combo->textActivated(combo->itemText(index));
        return QString();
    }
    if (combo->isEditable() && combo->lineEdit())
        return typeInto(combo->lineEdit(), name, value);
    QStringList items;
    for (int i = 0; i < combo->count() && i < 30; ++i)
        items << ModalScriptText::quoted(combo->itemText(i));
    if (combo->count() > 30)
        items << QStringLiteral("…");
    return QStringLiteral("%1 has no item %2 (items: %3)")
        .arg(name, ModalScriptText::quoted(value), items.isEmpty() ? QStringLiteral("none") : items.join(QStringLiteral(", ")));
}

QString setCheckable(QAbstractButton* button, const QString& name, const QString& value)
{
    auto* check = qobject_cast<QCheckBox*>(button);
    Qt::CheckState target = Qt::Unchecked;
    bool on = false;
    if (check && check->isTristate() && value.compare(QLatin1String("partial"), Qt::CaseInsensitive) == 0) {
        target = Qt::PartiallyChecked;
    } else if (ModalScriptText::parseBool(value, &on)) {
        target = on ? Qt::Checked : Qt::Unchecked;
    } else {
        return QStringLiteral("%1 is a %2: set it to true or false, not %3")
            .arg(name, className(button), ModalScriptText::quoted(value));
    }
    if (!check) {
        if (button->isChecked() == on)
            return QString();
        if (!on && button->autoExclusive())
            return QStringLiteral("%1 cannot be cleared by clicking it; set another button of its group").arg(name);
        button->click();
        return button->isChecked() == on ? QString() : QStringLiteral("%1 did not change when clicked").arg(name);
    }
    // A tri-state box cycles through its states one click at a time, as it does for a person.
    for (int i = 0; i < 3 && check->checkState() != target; ++i)
        check->click();
    return check->checkState() == target ? QString() : QStringLiteral("%1 did not reach %2 when clicked").arg(name, value);
}

QString setTab(QTabWidget* tabs, const QString& name, const QString& value)
{
    for (int i = 0; i < tabs->count(); ++i) {
        if (plainText(tabs->tabText(i)) != value)
            continue;
        if (!tabs->isTabEnabled(i))
            return QStringLiteral("tab %1 of %2 is disabled").arg(ModalScriptText::quoted(value), name);
        tabs->setCurrentIndex(i);
        return QString();
    }
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << ModalScriptText::quoted(plainText(tabs->tabText(i)));
    return QStringLiteral("%1 has no tab %2 (tabs: %3)").arg(name, ModalScriptText::quoted(value), texts.join(QStringLiteral(", ")));
}

bool rowHidden(QAbstractItemView* view, int row)
{
    if (auto* list = qobject_cast<QListView*>(view))
        return list->isRowHidden(row);
    if (auto* table = qobject_cast<QTableView*>(view))
        return table->isRowHidden(row);
    if (auto* tree = qobject_cast<QTreeView*>(view))
        return tree->isRowHidden(row, view->rootIndex());
    return false;
}

} // namespace

QString plainText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                out += QLatin1Char('&'), ++i;
            continue;
        }
        out += text.at(i);
    }
    return out;
}

bool windowMatches(const QWidget* window, const QString& name)
{
    if (!window)
        return false;
    for (const QMetaObject* mo = window->metaObject(); mo; mo = mo->superClass())
        if (name == QLatin1String(mo->className()))
            return true;
    return false;
}

QString describeWindow(const QWidget* window)
{
    if (!window)
        return QStringLiteral("no window");
    QString text;
    if (const auto* box = qobject_cast<const QMessageBox*>(window))
        text = box->text();
    else if (!window->windowTitle().isEmpty())
        text = window->windowTitle();
    if (text.size() > 200)
        text = text.left(200) + QStringLiteral("…");
    return text.isEmpty() ? className(window) : className(window) + QLatin1Char(' ') + ModalScriptText::quoted(text);
}

QWidget* findNamed(QWidget* window, const QString& name, QString* error)
{
    if (QWidget* found = window->findChild<QWidget*>(name))
        return found;
    *error = QStringLiteral("no widget named %1 in %2 (named widgets: %3)")
                 .arg(name, className(window), namedWidgets(window));
    return nullptr;
}

QAbstractButton* findButton(QWidget* window, const QString& name, QString* error)
{
    if (QWidget* found = window->findChild<QWidget*>(name)) {
        if (auto* button = qobject_cast<QAbstractButton*>(found))
            return button;
        *error = QStringLiteral("%1 is a %2, not a button").arg(name, className(found));
        return nullptr;
    }
    QList<QAbstractButton*> matches;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(window) && plainText(b->text()) == name)
            matches << b;
    if (matches.size() == 1)
        return matches.first();
    if (matches.size() > 1) {
        *error = QStringLiteral("%1 buttons in %2 read %3; use an object name").arg(matches.size()).arg(className(window), name);
        return nullptr;
    }
    *error = QStringLiteral("no widget named and no button labelled %1 in %2 (buttons: %3; named widgets: %4)")
                 .arg(name, className(window), buttonTexts(window), namedWidgets(window));
    return nullptr;
}

QString click(QWidget* window, const QString& name)
{
    QString error;
    QAbstractButton* button = findButton(window, name, &error);
    if (!button)
        return error;
    if (!button->isEnabled())
        return QStringLiteral("button %1 is disabled").arg(name);
    button->click();
    return QString();
}

QString set(QWidget* window, const QString& name, const QString& value)
{
    QString error;
    QWidget* widget = findNamed(window, name, &error);
    if (!widget)
        return error;
    if (!widget->isEnabled())
        return QStringLiteral("%1 is disabled").arg(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return typeInto(edit, name, value);
    if (auto* box = qobject_cast<QAbstractSpinBox*>(widget))
        return setSpinBox(box, name, value);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return setComboBox(combo, name, value);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (!button->isCheckable())
            return QStringLiteral("%1 is a button that cannot be checked; use click").arg(name);
        return setCheckable(button, name, value);
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        bool on = false;
        if (!group->isCheckable() || !ModalScriptText::parseBool(value, &on))
            return QStringLiteral("%1 is a group box: only a checkable one can be set, to true or false").arg(name);
        if (group->isChecked() != on) {
            group->setChecked(on);
            emit group->clicked(on);
        }
        return QString();
    }
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (!ok || number < slider->minimum() || number > slider->maximum())
            return QStringLiteral("%1 takes a whole number from %2 to %3, not %4")
                .arg(name)
                .arg(slider->minimum())
                .arg(slider->maximum())
                .arg(ModalScriptText::quoted(value));
        slider->setValue(number);
        return QString();
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        if (plain->isReadOnly())
            return QStringLiteral("%1 is read-only").arg(name);
        plain->setPlainText(value);
        return QString();
    }
    if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
        if (rich->isReadOnly())
            return QStringLiteral("%1 is read-only").arg(name);
        rich->setPlainText(value);
        return QString();
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        return setTab(tabs, name, value);
    if (qobject_cast<QAbstractItemView*>(widget))
        return QStringLiteral("%1 is a %2: use select NAME ROW…").arg(name, className(widget));
    return QStringLiteral("set does not know how to set %1, a %2").arg(name, className(widget));
}

QString select(QWidget* window, const QString& name, const QVector<int>& rows)
{
    QString error;
    QWidget* widget = findNamed(window, name, &error);
    if (!widget)
        return error;
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (!view)
        return QStringLiteral("%1 is a %2, not a list or table%3")
            .arg(name, className(widget), qobject_cast<QComboBox*>(widget) ? QStringLiteral(" (use set)") : QString());
    if (!view->isEnabled())
        return QStringLiteral("%1 is disabled").arg(name);
    QAbstractItemModel* model = view->model();
    QItemSelectionModel* selection = view->selectionModel();
    if (!model || !selection)
        return QStringLiteral("%1 has no model").arg(name);
    if (!rows.isEmpty() && view->selectionMode() == QAbstractItemView::NoSelection)
        return QStringLiteral("%1 does not let rows be selected").arg(name);
    if (rows.size() > 1 && view->selectionMode() == QAbstractItemView::SingleSelection)
        return QStringLiteral("%1 selects one row at a time").arg(name);
    const QModelIndex root = view->rootIndex();
    const int count = model->rowCount(root);
    for (int row : rows) {
        if (row >= count)
            return QStringLiteral("%1 has no row %2 (it has %3 rows, counted from 0)").arg(name).arg(row).arg(count);
        if (rowHidden(view, row))
            return QStringLiteral("row %1 of %2 is hidden").arg(row).arg(name);
    }
    if (rows.isEmpty()) {
        selection->clearSelection();
        return QString();
    }
    // As a person clicks the first row and control-clicks the others.
    bool first = true;
    for (int row : rows) {
        const QModelIndex index = model->index(row, 0, root);
        if (first)
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        first = false;
        emit view->clicked(index);
    }
    return QString();
}

QString expectText(QWidget* window, const QString& text)
{
    const auto* box = qobject_cast<QMessageBox*>(window);
    if (!box)
        return QStringLiteral("expect-text checks a message box's text; this is a %1 (use expect-value NAME TEXT)")
            .arg(className(window));
    if (box->text() == text)
        return QString();
    return QStringLiteral("the message box says %1, expected %2")
        .arg(ModalScriptText::quoted(box->text()), ModalScriptText::quoted(text));
}

QString expectValue(QWidget* window, const QString& name, const QString& value)
{
    QString error;
    QWidget* widget = findNamed(window, name, &error);
    if (!widget)
        return error;
    const QString actual = valueText(widget);
    bool matches = actual == value;
    if (!matches) {
        bool expectedOn = false;
        double a = 0;
        double b = 0;
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const auto* group = qobject_cast<QGroupBox*>(widget);
        if (((button && button->isCheckable()) || (group && group->isCheckable()))
            && ModalScriptText::parseBool(value, &expectedOn))
            matches = (actual == QLatin1String("true")) == expectedOn && actual != QLatin1String("partial");
        else if ((qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QAbstractSlider*>(widget))
                 && parseNumber(widget, actual, &a) && parseNumber(widget, value, &b))
            matches = std::abs(a - b) <= 1e-9 * std::max(1.0, std::max(std::abs(a), std::abs(b)));
    }
    if (matches)
        return QString();
    return QStringLiteral("%1 shows %2, expected %3").arg(name, ModalScriptText::quoted(actual), ModalScriptText::quoted(value));
}

QString expectEnabled(QWidget* window, const QString& name, bool enabled)
{
    QString error;
    QWidget* widget = window->findChild<QWidget*>(name);
    if (!widget)
        widget = findButton(window, name, &error);
    if (!widget)
        return error;
    if (widget->isEnabled() == enabled)
        return QString();
    return QStringLiteral("%1 is %2, expected %3")
        .arg(name, widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"),
             enabled ? QStringLiteral("enabled") : QStringLiteral("disabled"));
}

QString choose(QWidget* window, const QString& path, bool* stillOpen)
{
    *stillOpen = false;
    QPointer<QFileDialog> dialog = qobject_cast<QFileDialog*>(window);
    if (!dialog)
        return QStringLiteral("choose works in file and folder dialogs; this is a %1").arg(className(window));
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    // selectFile() leaves the name field alone while it has the focus.
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        edit->clearFocus();
    dialog->selectFile(absolute);
    // accept() is protected in QFileDialog but public in QDialog; it does what the
    // Open/Save button does, questions about replacing a file included.
    static_cast<QDialog*>(dialog.data())->accept();
    *stillOpen = dialog && dialog->isVisible();
    return QString();
}

QString cancel(QWidget* window)
{
    closeWindow(window);
    return QString();
}

QString valueText(QWidget* widget)
{
    if (auto* box = qobject_cast<QMessageBox*>(widget))
        return box->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        return QString::number(spin->value());
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(widget))
        return spin->cleanText();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        return spin->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* check = qobject_cast<QCheckBox*>(widget); check && check->checkState() == Qt::PartiallyChecked)
        return QStringLiteral("partial");
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->isCheckable() ? (button->isChecked() ? QStringLiteral("true") : QStringLiteral("false"))
                                     : plainText(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->isCheckable() ? (group->isChecked() ? QStringLiteral("true") : QStringLiteral("false")) : group->title();
    if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
        return QString::number(slider->value());
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<QTextEdit*>(widget))
        return rich->toPlainText();
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        return tabs->currentIndex() >= 0 ? plainText(tabs->tabText(tabs->currentIndex())) : QString();
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        QStringList texts;
        if (view->selectionModel()) {
            QModelIndexList selected = view->selectionModel()->selectedRows(0);
            if (selected.isEmpty()) // views that select single cells
                selected = view->selectionModel()->selectedIndexes();
            std::sort(selected.begin(), selected.end(), [](const QModelIndex& a, const QModelIndex& b) {
                return a.row() != b.row() ? a.row() < b.row() : a.column() < b.column();
            });
            int lastRow = -1;
            for (const QModelIndex& index : selected) {
                if (index.row() == lastRow)
                    continue;
                lastRow = index.row();
                texts << index.sibling(index.row(), 0).data(Qt::DisplayRole).toString();
            }
        }
        return texts.join(QLatin1Char('\n'));
    }
    return widget->windowTitle();
}

void closeWindow(QWidget* window)
{
    QPointer<QWidget> guard(window);
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
    // A window that refuses (an overridden reject, an ignored close) would keep its event
    // loop running; hiding ends a dialog's exec() all the same.
    if (guard && guard->isVisible())
        guard->hide();
}

} // namespace WidgetActions
