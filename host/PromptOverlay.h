#pragma once

#include "drawing/KvDatabase.h"

#include <QPointF>
#include <QPointer>
#include <QTransform>
#include <QVector>
#include <QWidget>
#include <functional>

class DocumentView;

// Lies over a document view while a prompt waits for a point or an entity: reports where
// the cursor is in the drawing, turns a click into a typed point, and draws the entities a
// drag moves where the drag's matrix puts them. It maps the drawing the way the view's
// preview does (model space fitted into the view).
class PromptOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit PromptOverlay(DocumentView* view);

    // While picking, cursor moves and clicks report drawing points (world); otherwise the
    // overlay lets every mouse event through to the view.
    void setPicking(bool picking, std::function<void(const QPointF&)> moved = {},
                    std::function<void(const QPointF&)> clicked = {});
    // The entities of a drag, drawn moved by `move` (world to world), until clearDrag().
    void showDrag(const QVector<OdDbObjectId>& ids, const QTransform& move);
    void clearDrag();

    // Drawing (y up) to widget coordinates.
    QTransform worldToView() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool toWorld(const QPoint& pos, QPointF* world) const;

    QPointer<DocumentView> m_view;
    bool m_picking = false;
    std::function<void(const QPointF&)> m_moved;
    std::function<void(const QPointF&)> m_clicked;
    QVector<OdDbObjectId> m_dragIds;
    QTransform m_dragMove;
    QPoint m_cursor{-1, -1};
};
