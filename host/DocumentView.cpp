#include "DocumentView.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QPainter>

DocumentView::DocumentView(CKvDocument* document, QWidget* parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("documentView"));
    setMinimumSize(320, 200);
    setAutoFillBackground(false);
}

void DocumentView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(33, 40, 48));
    CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    CKvSystemServices* services = GetKvSystemServices();
    if (db && services && services->GetPreviewRenderer()) {
        const QImage image = services->GetPreviewRenderer()->Render(db, {db->getModelSpaceId()}, size());
        if (!image.isNull())
            painter.drawImage(0, 0, image);
    }
    painter.setPen(QColor(150, 160, 170));
    painter.drawText(rect().adjusted(8, 6, -8, -6), Qt::AlignTop | Qt::AlignLeft,
                     m_document ? m_document->GetTitle() : QString());
}
