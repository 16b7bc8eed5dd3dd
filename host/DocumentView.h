#pragma once

#include <QPoint>
#include <QTransform>
#include <QWidget>

class CKvDocument;

// Shows a document's model space as the host's painter draws it: fitted to the view at
// first, then zoomed with the wheel (about the cursor), panned by dragging with the middle
// button, and fitted again by "zoom extents" (double-click with the middle button, or the
// View menu).
class DocumentView : public QWidget
{
    Q_OBJECT
public:
    explicit DocumentView(CKvDocument* document, QWidget* parent = nullptr);
    CKvDocument* document() const { return m_document; }

    // Drawing (y up) to widget coordinates, zoom and pan included.
    QTransform worldToView() const;
    // Zooms by `factor` keeping the drawing point under `anchor` where it is.
    void zoomAt(const QPointF& anchor, double factor);
    void pan(const QPointF& delta);
    // Fits the whole drawing into the view again.
    void zoomExtents();
    double zoomFactor() const { return m_zoom.m11(); }

signals:
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CKvDocument* m_document;
    // The person's zoom and pan, applied after the fitted view (view coordinates).
    QTransform m_zoom;
    bool m_panning = false;
    QPoint m_lastPan;
};
