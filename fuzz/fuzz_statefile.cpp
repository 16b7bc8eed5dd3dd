// State files: any bytes merged into a dialog's state lines, applied to its controls and
// written back. Checks the indexed merge against the plain line-by-line one, that the
// file is always written, and that a written file read back into a dialog like the first
// is written again with the same lines.

#include "FuzzSupport.h"

#include "exchange/DialogState.h"
#include "bench/ReferenceStateMerge.h"
#include "widgets/KvQtUnitSpinBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>

#include <algorithm>

namespace {

QString statePath()
{
    // Every save syncs the file to disk; in a memory file system the run is a few times
    // faster. Removed when the process ends normally; a crash leaves it for a look.
    static const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm")
                                    : QDir::tempPath();
    static QTemporaryDir dir(base + QStringLiteral("/kvfuzz-XXXXXX"));
    return dir.path() + QStringLiteral("/fuzz.state");
}

// One of each kind of control the state exchange knows, named as forms name them.
struct Form
{
    QDialog dialog;
    Form()
    {
        auto add = [this](QWidget* widget, const char* name) {
            widget->setParent(&dialog);
            widget->setObjectName(QLatin1String(name));
        };
        add(new QCheckBox, "cb_keep");
        add(new QRadioButton, "rb_first");
        auto* edit = new QLineEdit;
        add(edit, "le_name");
        edit->resize(80, 20); // short, so that longer values are shown elided
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("Standard"), QStringLiteral("Bold"), QStringLiteral("1")});
        add(combo, "cb_style");
        auto* editable = new QComboBox;
        editable->setEditable(true);
        editable->addItems({QStringLiteral("A"), QStringLiteral("B")});
        add(editable, "cb_layer");
        auto* favourites = new QComboBox;
        favourites->setEditable(true);
        add(favourites, "cb_favorits");
        auto* table = new QTableWidget(4, 2);
        const char* rows[] = {"Door", "Window", "007", "Door 2"};
        for (int r = 0; r < 4; ++r) {
            table->setItem(r, 0, new QTableWidgetItem(QLatin1String(rows[r])));
            table->setItem(r, 1, new QTableWidgetItem(QString::number(r)));
        }
        add(table, "tw_blocks");
        auto* list = new QListWidget;
        list->addItems({QStringLiteral("one"), QStringLiteral("two")});
        list->setCurrentRow(1);
        add(list, "lw_items");
        add(new QSpinBox, "sb_count");
        auto* scale = new QDoubleSpinBox;
        scale->setRange(-1e6, 1e6);
        scale->setDecimals(4);
        add(scale, "dsb_scale");
        auto* length = new CKvQtUnitSpinBox;
        length->setRange(-1e6, 1e6);
        add(length, "usb_length");
        auto* tabs = new QTabWidget;
        tabs->addTab(new QWidget, QStringLiteral("General"));
        tabs->addTab(new QWidget, QStringLiteral("More"));
        add(tabs, "tab_main");
        add(new QLabel, "lbl_path");
    }
};

// The file's lines as loadStateFile reads them.
QStringList fileLines(const QString& path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    in.setAutoDetectUnicode(true);
    in.setCodec(QTextCodec::codecForLocale());
    QString line;
    while (in.readLineInto(&line))
        lines.append(line);
    return lines;
}

// The lines of a written file that loading restores. Spin boxes write their inner line
// edits too ("qt_spinbox_lineedit=..."), which loading skips; what such a line edit shows
// depends on whether its spin box was ever set, so those lines are left out.
QList<QByteArray> restoredLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QByteArray& line) { return line.startsWith("qt_spinbox_lineedit="); }),
                lines.end());
    return lines;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    fuzz::ensureWidgetApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = statePath();
    FUZZ_CHECK(writeFile(path, fuzz::bytes(data, size)));
    const QStringList lines = fileLines(path);

    // Lines a dialog may hold before the file is merged: keys in other cases, keys that
    // begin like others, no "=" at all, more than one "=".
    const QStringList earlier = {QStringLiteral("le_name=old"), QStringLiteral("LE_NAME=upper"),
                                 QStringLiteral("le_name_index=3"), QStringLiteral("=empty key"),
                                 QStringLiteral("no separator"), QStringLiteral("cb_keep=TRUE=x"),
                                 QStringLiteral("le_name=again")};
    Form form;
    CDialogState state(&form.dialog);
    state.setStateLines(earlier);
    // Twice: the second time every key of the file is already there.
    state.loadStateFile(path);
    state.loadStateFile(path);
    QStringList expected = earlier;
    referenceStateMerge(expected, lines);
    referenceStateMerge(expected, lines);
    FUZZ_CHECK(state.stateLines() == expected);

    for (const QString& line : lines.mid(0, 8))
        state.stateValue(line.section(QLatin1Char('='), 0, 0));
    state.applyState(QStringLiteral("*"));
    state.setAction(QStringLiteral("ok"));
    FUZZ_CHECK(state.saveStateFile());
    const QByteArray written = contents(path);

    // Read back into a form like the first, the controls are set as they were: the file
    // comes out the same.
    Form again;
    CDialogState reread(&again.dialog);
    reread.loadStateFile(path);
    reread.applyState(QStringLiteral("*"));
    reread.setAction(QStringLiteral("ok"));
    FUZZ_CHECK(reread.saveStateFile());
    FUZZ_CHECK(restoredLines(contents(path)) == restoredLines(written));
    return 0;
}
