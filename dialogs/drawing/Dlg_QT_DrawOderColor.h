#pragma once

#include "ui_Dlg_QT_DrawOderColor.h"
#include "widgets/KvDialog.h"

#include <QStringList>
#include <QStyledItemDelegate>
#include <QVector>
#include <memory>

class CDialogState;

// Paints a cell's background brush under the cell, so a colour swatch stays visible in a
// selected row, and frames selected cells in black.
class BackgroundDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Draw order by colour: the user stacks the drawing's colour numbers in the order their
// entities are to be drawn and picks how; the order goes back to LISP as a list.
class Dlg_QT_DrawOderColor : public CKvDialog, public Ui::Dlg_QT_DrawOderColor
{
    Q_OBJECT
public:
    explicit Dlg_QT_DrawOderColor(QWidget* parent = nullptr);
    ~Dlg_QT_DrawOderColor() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The colour numbers as decimal texts, top first.
    void setColors(const QStringList& colors) { m_colors = colors; }
    QStringList colors() const { return m_colors; }
    QVector<short> colorValues() const;

    // The colour numbers among LISP's texts: whole numbers from 0 (by block) to 256 (by
    // layer), written plainly; any other text is left out.
    static QStringList colorNumbers(const QStringList& texts);

public slots:
    virtual void Help();
    // Rebuilds the table from the colour list (dropping moves not yet accepted).
    void UpdateDialog();
    void MoveUp();
    void MoveDown();
    void MoveTop();
    void MoveBot();
    void showHelp();
    void SelectChanged();
    // OK: the table's order becomes the colour list.
    void AceptDialog();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum Target { Up = -1, Down = 1, Top = 0, Bottom = 10000 };
    void move(Target target);

    QStringList m_colors;
    std::unique_ptr<CDialogState> m_state;
};
