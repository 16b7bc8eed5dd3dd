#include "dialogs/exchange/Dlg_QT_MakeLineStyle.h"

#include "dialogs/exchange/LineStyleFile.h"
#include "dialogs/exchange/NewNameCheck.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/ElidedPathField.h"
#include "exchange/TableFiller.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>

Dlg_QT_MakeLineStyle::Dlg_QT_MakeLineStyle(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    m_pathField = new ElidedPathField(Linetypefile);

    connect(selectfile, &QPushButton::clicked, this, &Dlg_QT_MakeLineStyle::SelectLinetypeFile);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_MakeLineStyle::CheckName);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_MakeLineStyle::showHelp);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A typed path is listed as soon as the user leaves the field, so that the name check
    // knows the styles of the file that will be written.
    connect(m_pathField, &ElidedPathField::pathCommitted, this, [this](const QString& path) {
        if (path != m_listedPath)
            fillTable();
    });
}

Dlg_QT_MakeLineStyle::~Dlg_QT_MakeLineStyle() = default;

void Dlg_QT_MakeLineStyle::Help()
{
    m_state->showHelp(QStringLiteral("makelinestyle"));
}

void Dlg_QT_MakeLineStyle::showHelp()
{
    Help();
}

QString Dlg_QT_MakeLineStyle::filePath() const
{
    return m_pathField->path();
}

void Dlg_QT_MakeLineStyle::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (!m_state->applied())
        m_state->applyState(QStringLiteral("*"));
    fillTable();
}

void Dlg_QT_MakeLineStyle::fillTable()
{
    if (LinetypefileLst->columnCount() == 0) {
        KvTable::setupList(LinetypefileLst, tr("Name;Description").split(QLatin1Char(';')),
                           QAbstractItemView::SingleSelection);
        QHeaderView* header = LinetypefileLst->horizontalHeader();
        header->setSectionResizeMode(0, QHeaderView::Fixed);
        LinetypefileLst->setColumnWidth(0, 150);
        header->setSectionResizeMode(1, QHeaderView::Stretch);
    }
    m_listedPath = filePath();
    const QVector<LineStyleFile::Header> headers = LineStyleFile::read(m_listedPath);
    m_names.clear();
    QVector<QStringList> rows;
    rows.reserve(headers.size());
    for (const LineStyleFile::Header& header : headers) {
        m_names.append(header.name);
        rows.append(QStringList{header.name, header.description});
    }
    KvTable::setTextRows(LinetypefileLst, rows);
}

void Dlg_QT_MakeLineStyle::SelectLinetypeFile()
{
    const QString current = filePath();
    const QString start = current.trimmed().isEmpty() ? QStringLiteral(".") : QFileInfo(current).absolutePath();
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Specify Linestyle file"), start,
                                                        tr("Linestyle files (*.lin)"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return;
    if (!LineStyleFile::isAcceptable(chosen)) {
        kvInformation(this, tr("Invalid file format"), tr("The format of the file is not valid. "));
        return;
    }
    m_pathField->setPath(chosen);
    fillTable();
}

void Dlg_QT_MakeLineStyle::CheckName()
{
    // What the field holds now is what the LISP side will write to.
    if (filePath() != m_listedPath)
        fillTable();
    const NewNameCheck check{tr("Make Linestyle"), tr("You must select a file. "),
                             tr("You must provide a name for the Linestyle. "),
                             tr("Linestyle names cannot include blank spaces."),
                             tr("Linestyle already exists, you want to replace it?")};
    if (check.accepts(this, filePath(), name->text(), m_names))
        accept();
}

int kvlisp::Dlg_makelinestyle()
{
    return runDialogFunction<Dlg_QT_MakeLineStyle>(DialogSlot::MakeLineStyle);
}
