#pragma once

#include <QWidget>

class CKvDocument;

// Shows a document's model space, fitted to the view, as the host's preview renderer draws it.
class DocumentView : public QWidget
{
    Q_OBJECT
public:
    explicit DocumentView(CKvDocument* document, QWidget* parent = nullptr);
    CKvDocument* document() const { return m_document; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKvDocument* m_document;
};
