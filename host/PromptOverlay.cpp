#include "PromptOverlay.h"

#include "DocumentView.h"

#include "drawing/KvDrawingPainter.h"
#include "kernel/KvDocument.h"

#include <QCoreApplication>

#include <QEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>

PromptOverlay::PromptOverlay(DocumentView* view) : QWidget(view), m_view(view)
{
    setObjectName(QStringLiteral("promptOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    setMouseTracking(true);
    setGeometry(view->rect());
    view->installEventFilter(this);
    connect(view, &DocumentView::viewChanged, this, qOverload<>(&QWidget::update));
    show();
}

QTransform PromptOverlay::worldToView() const
{
    // The view's own mapping, zoom and pan included, so that picks land where they are drawn.
    return m_view ? m_view->worldToView() : QTransform();
}

bool PromptOverlay::toWorld(const QPoint& pos, QPointF* world) const
{
    bool invertible = false;
    const QTransform inverse = worldToView().inverted(&invertible);
    if (!invertible)
        return false;
    *world = inverse.map(QPointF(pos));
    return true;
}

void PromptOverlay::setPicking(bool picking, std::function<void(const QPointF&)> moved,
                               std::function<void(const QPointF&)> clicked)
{
    m_picking = picking;
    m_moved = std::move(moved);
    m_clicked = std::move(clicked);
    setAttribute(Qt::WA_TransparentForMouseEvents, !picking);
    setCursor(picking ? Qt::CrossCursor : Qt::ArrowCursor);
    if (!picking)
        m_cursor = QPoint(-1, -1);
    update();
}

void PromptOverlay::showDrag(const QVector<OdDbObjectId>& ids, const QTransform& move)
{
    m_dragIds = ids;
    m_dragMove = move;
    update();
}

void PromptOverlay::clearDrag()
{
    m_dragIds.clear();
    update();
}

void PromptOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    CKvDocument* document = m_view ? m_view->document() : nullptr;
    const CKvDatabase* db = document ? document->GetKvDatabase() : nullptr;
    if (db && !m_dragIds.isEmpty()) {
        KvDrawingPainter drawing(db);
        const QTransform toView = m_dragMove * worldToView();
        painter.setRenderHint(QPainter::Antialiasing);
        for (const OdDbObjectId& id : m_dragIds) {
            const auto* entity = dynamic_cast<const OdDbEntity*>(id.openObject());
            if (entity && !entity->isErased())
                drawing.paintEntity(painter, *entity, toView);
        }
    }
    if (m_picking && rect().contains(m_cursor)) {
        painter.setPen(QColor(220, 220, 120));
        painter.drawLine(m_cursor.x() - 12, m_cursor.y(), m_cursor.x() + 12, m_cursor.y());
        painter.drawLine(m_cursor.x(), m_cursor.y() - 12, m_cursor.x(), m_cursor.y() + 12);
        painter.drawRect(m_cursor.x() - 3, m_cursor.y() - 3, 6, 6);
    }
}

// The overlay covers the view exactly, so the view takes the same positions: its wheel and
// middle button zoom and pan also while a prompt picks.
void PromptOverlay::wheelEvent(QWheelEvent* event)
{
    if (m_view)
        QCoreApplication::sendEvent(m_view, event);
}

void PromptOverlay::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_view && event->button() == Qt::MiddleButton)
        QCoreApplication::sendEvent(m_view, event);
}

void PromptOverlay::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_view && event->button() == Qt::MiddleButton)
        QCoreApplication::sendEvent(m_view, event);
    else
        mousePressEvent(event);
}

void PromptOverlay::mouseMoveEvent(QMouseEvent* event)
{
    if (m_view && (event->buttons() & Qt::MiddleButton)) {
        QCoreApplication::sendEvent(m_view, event);
        return;
    }
    m_cursor = event->pos();
    QPointF world;
    if (m_picking && m_moved && toWorld(event->pos(), &world))
        m_moved(world);
    update();
}

void PromptOverlay::mousePressEvent(QMouseEvent* event)
{
    if (m_view && event->button() == Qt::MiddleButton) {
        QCoreApplication::sendEvent(m_view, event);
        return;
    }
    QPointF world;
    if (m_picking && event->button() == Qt::LeftButton && m_clicked && toWorld(event->pos(), &world))
        m_clicked(world);
}

bool PromptOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        setGeometry(m_view->rect());

    return QWidget::eventFilter(watched, event);
}
