#include "dialogs/exchange/Dlg_QT_MakeShape.h"

#include "dialogs/exchange/NewNameCheck.h"
#include "dialogs/exchange/ShapeFile.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>

Dlg_QT_MakeShape::Dlg_QT_MakeShape(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags), m_defaultFolder()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);

    connect(selectfile, &QPushButton::clicked, this, &Dlg_QT_MakeShape::SelectLinetypeFile);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_MakeShape::CheckName);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_MakeShape::showHelp);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A typed path is listed as soon as the user leaves the field, so that the name check
    // knows the shapes of the file that will be written.
    connect(shapeFile, &QLineEdit::editingFinished, this, [this] {
        if (shapeFile->text() != m_listedPath)
            fillTable();
    });
}

Dlg_QT_MakeShape::~Dlg_QT_MakeShape() = default;

void Dlg_QT_MakeShape::Help()
{
    m_state->showHelp(QStringLiteral("makeshape"));
}

void Dlg_QT_MakeShape::showHelp()
{
    Help();
}

// This dialog keeps its controls from call to call; it never fills them from the state.
void Dlg_QT_MakeShape::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    fillTable();
}

void Dlg_QT_MakeShape::fillTable()
{
    if (lstShapes->columnCount() == 0) {
        KvTable::setupList(lstShapes, tr("Number;Name").split(QLatin1Char(';')), QAbstractItemView::SingleSelection);
        QHeaderView* header = lstShapes->horizontalHeader();
        header->setSectionResizeMode(0, QHeaderView::Fixed);
        lstShapes->setColumnWidth(0, 90);
        header->setSectionResizeMode(1, QHeaderView::Stretch);
    }
    m_listedPath = shapeFile->text();
    const QVector<ShapeFile::Header> headers = ShapeFile::read(m_listedPath);
    m_names.clear();
    QVector<QStringList> rows;
    rows.reserve(headers.size());
    for (const ShapeFile::Header& header : headers) {
        m_names.append(header.name);
        rows.append(QStringList{header.number, header.name});
    }
    KvTable::setTextRows(lstShapes, rows);
}

QString Dlg_QT_MakeShape::defaultFolder()
{
    if (m_defaultFolder.isNull())
        m_defaultFolder = HostServices::supportFolders().value(0, QLatin1String(""));
    return m_defaultFolder;
}

void Dlg_QT_MakeShape::SelectLinetypeFile()
{
    const QString folder = QFileInfo(shapeFile->text()).path();
    QString start =
        !folder.isEmpty() && folder != QLatin1String(".") && QDir(folder).exists() ? folder : defaultFolder();
    if (start.isEmpty())
        start = QStringLiteral(".");
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Select shape file"), start,
                                                        tr("Shape files (*.shp);; All files (*.*)"), nullptr,
                                                        QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return;
    shapeFile->setText(chosen);
    fillTable();
}

void Dlg_QT_MakeShape::CheckName()
{
    // What the field holds now is what the LISP side will write to.
    if (shapeFile->text() != m_listedPath)
        fillTable();
    const NewNameCheck check{tr("Make Shape"), tr("You must select a file. "),
                             tr("You must provide a name for the shape. "),
                             tr("Shape names cannot include blank spaces."),
                             tr("Shape already exists, you want to replace it?")};
    if (check.accepts(this, shapeFile->text(), name->text(), m_names))
        accept();
}

int kvlisp::Dlg_MakeShape()
{
    return runDialogFunction<Dlg_QT_MakeShape>(DialogSlot::MakeShape);
}
