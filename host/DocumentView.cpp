#include "DocumentView.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvDrawingPainter.h"
#include "kernel/KvDocument.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
// Zooming stops where lines would lose all precision or the drawing shrink to a dot.
constexpr double kMinZoom = 1e-4;
constexpr double kMaxZoom = 1e6;
} // namespace

DocumentView::DocumentView(CKvDocument* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("documentView"));
    setMinimumSize(320, 200);
    setAutoFillBackground(false);
    setToolTip(tr("Wheel: zoom; middle button: pan; double-click with the middle button: zoom extents"));
}

QTransform DocumentView::worldToView() const
{
    const CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    const auto* space = db ? dynamic_cast<const OdDbBlockTableRecord*>(db->getModelSpaceId().openObject()) : nullptr;
    if (!space)
        return m_zoom;
    // The margin the host's previews leave, so that a fitted view looks like a preview.
    const double margin = std::max(2.0, 0.03 * std::min(width(), height()));
    return KvDrawingPainter::fitTransform(space->geomExtents(), QRectF(rect()), margin) * m_zoom;
}

void DocumentView::zoomAt(const QPointF& anchor, double factor)
{
    if (!std::isfinite(factor) || factor <= 0)
        return;
    const double zoom = m_zoom.m11() * factor;
    if (zoom < kMinZoom || zoom > kMaxZoom)
        return;
    // Scale about the anchor: move it to the origin, scale, move it back.
    m_zoom = m_zoom * QTransform::fromTranslate(-anchor.x(), -anchor.y()) * QTransform::fromScale(factor, factor)
             * QTransform::fromTranslate(anchor.x(), anchor.y());
    update();
    emit viewChanged();
}

void DocumentView::pan(const QPointF& delta)
{
    m_zoom = m_zoom * QTransform::fromTranslate(delta.x(), delta.y());
    update();
    emit viewChanged();
}

void DocumentView::zoomExtents()
{
    m_zoom.reset();
    update();
    emit viewChanged();
}

void DocumentView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor background = KvDrawingPainter::defaultBackground();
    painter.fillRect(rect(), background);
    CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    if (const auto* space = db ? dynamic_cast<const OdDbBlockTableRecord*>(db->getModelSpaceId().openObject()) : nullptr) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        KvDrawingPainter drawing(db);
        drawing.setBackground(background);
        drawing.paint(painter, *space, worldToView());
    }
    painter.setPen(QColor(150, 160, 170));
    painter.drawText(rect().adjusted(8, 6, -8, -6), Qt::AlignTop | Qt::AlignLeft,
                     m_document ? m_document->GetTitle() : QString());
}

void DocumentView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        zoomAt(event->position(), std::pow(1.25, steps));
    event->accept();
}

void DocumentView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        m_panning = true;
        m_lastPan = event->pos();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void DocumentView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panning) {
        pan(event->pos() - m_lastPan);
        m_lastPan = event->pos();
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void DocumentView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_panning && event->button() == Qt::MiddleButton) {
        m_panning = false;
        unsetCursor();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void DocumentView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        zoomExtents();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}
