#include "dialogs/drawing/Dlg_QT_DrawOderColor.h"

#include "drawing/KvColorIndex.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "exchange/DialogState.h"
#include "exchange/TableFiller.h"
#include "module/LispHandlers.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>

void BackgroundDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>())
        painter->fillRect(option.rect, background.value<QBrush>());
    QStyledItemDelegate::paint(painter, option, index);
    if (option.state & QStyle::State_Selected) {
        const QPen pen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
        const int inset = pen.width() / 2;
        painter->save();
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(inset, inset, -inset, -inset));
        painter->restore();
    }
}

Dlg_QT_DrawOderColor::Dlg_QT_DrawOderColor(QWidget* parent) : CKvDialog(parent, true, kvDialogFlags)
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    lstColors->setItemDelegate(new BackgroundDelegate(lstColors));

    connect(draworder, &QRadioButton::clicked, this, &Dlg_QT_DrawOderColor::UpdateDialog);
    connect(handles, &QRadioButton::clicked, this, &Dlg_QT_DrawOderColor::UpdateDialog);
    connect(btnUp, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::MoveUp);
    connect(btnDown, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::MoveDown);
    connect(btnTop, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::MoveTop);
    connect(btnBot, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::MoveBot);
    connect(buttonHelp, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::showHelp);
    connect(lstColors, &QTableWidget::itemSelectionChanged, this, &Dlg_QT_DrawOderColor::SelectChanged);
    connect(acceptButton, &QPushButton::clicked, this, &Dlg_QT_DrawOderColor::AceptDialog);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Dlg_QT_DrawOderColor::~Dlg_QT_DrawOderColor() = default;

QStringList Dlg_QT_DrawOderColor::colorNumbers(const QStringList& texts)
{
    QStringList numbers;
    for (const QString& text : texts) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok, 10);
        if (ok && value >= 0 && value <= KvAciByLayer)
            numbers.append(QString::number(value));
    }
    return numbers;
}

QVector<short> Dlg_QT_DrawOderColor::colorValues() const
{
    QVector<short> values;
    values.reserve(m_colors.size());
    for (const QString& text : m_colors)
        values.append(text.toShort());
    return values;
}

void Dlg_QT_DrawOderColor::Help()
{
    showHelp();
}

void Dlg_QT_DrawOderColor::showHelp()
{
    m_state->showHelp(QStringLiteral("drawordercolor"));
}

void Dlg_QT_DrawOderColor::SelectChanged() {}

void Dlg_QT_DrawOderColor::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    if (!m_state->applied())
        m_state->applyState();
    UpdateDialog();
}

void Dlg_QT_DrawOderColor::UpdateDialog()
{
    groupOrder->setEnabled(draworder->isChecked());

    const QStringList headers = tr("%1;%2").arg(tr("Color Number"), tr("Preview")).split(QLatin1Char(';'));
    KvTable::setupList(lstColors, headers, QAbstractItemView::SingleSelection);
    QHeaderView* header = lstColors->horizontalHeader();
    header->resizeSection(1, 90);
    // Fixed, but wide enough for its title.
    header->resizeSection(0, qMax(header->sectionSize(0), header->sectionSizeHint(0)));
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionsMovable(true);

    lstColors->clearSelection();
    lstColors->setRowCount(0);
    lstColors->setRowCount(m_colors.size());
    for (int row = 0; row < m_colors.size(); ++row) {
        auto* number = new QTableWidgetItem(m_colors.at(row));
        number->setTextAlignment(Qt::AlignCenter);
        lstColors->setItem(row, 0, number);
        auto* swatch = new QTableWidgetItem;
        QColor rgb = kvAciColor(m_colors.at(row).toInt());
        rgb.setAlpha(255);
        swatch->setBackground(QBrush(rgb));
        lstColors->setItem(row, 1, swatch);
    }
}

void Dlg_QT_DrawOderColor::MoveUp()
{
    move(Up);
}

void Dlg_QT_DrawOderColor::MoveDown()
{
    move(Down);
}

void Dlg_QT_DrawOderColor::MoveTop()
{
    move(Top);
}

void Dlg_QT_DrawOderColor::MoveBot()
{
    move(Bottom);
}

// The selected row changes places with the target row; the rows between keep theirs.
void Dlg_QT_DrawOderColor::move(Target target)
{
    const QList<int> selected = KvTable::selectedRows(lstColors);
    if (selected.size() != 1) {
        QMessageBox::information(this, tr("Information"), tr("Select rows of table for move."), QMessageBox::Ok);
        return;
    }
    const int from = selected.first();
    const int rows = lstColors->rowCount();
    int to = from + int(target);
    if (target == Top)
        to = 0;
    else if (target == Bottom)
        to = rows - 1;
    if (to < 0 || to >= rows)
        return;
    for (int column = 0; column < lstColors->columnCount(); ++column) {
        QTableWidgetItem* a = lstColors->takeItem(from, column);
        QTableWidgetItem* b = lstColors->takeItem(to, column);
        lstColors->setItem(from, column, b);
        lstColors->setItem(to, column, a);
    }
    lstColors->selectRow(to);
}

void Dlg_QT_DrawOderColor::AceptDialog()
{
    QStringList order;
    for (int row = 0; row < lstColors->rowCount(); ++row) {
        const QTableWidgetItem* item = lstColors->item(row, 0);
        order.append(item ? item->text() : QString());
    }
    m_colors = order;
    accept();
}

int kvlisp::Dlg_DrawOrderColor()
{
    return runDialogFunction<Dlg_QT_DrawOderColor>(
        DialogSlot::DrawOrderColor,
        [](Dlg_QT_DrawOderColor& dialog, LispArgs& args) {
            dialog.setColors(Dlg_QT_DrawOderColor::colorNumbers(args.nextStrings()));
        },
        [](Dlg_QT_DrawOderColor& dialog, bool accepted, CKvLispContext* context) {
            // The list goes without its closing node; the context closes it.
            if (accepted)
                DialogFunction::returnInt16s(context, dialog.colorValues(), false);
            else
                context->ReturnNil();
        });
}
