#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;

// A plain QLineEdit used as a path field: the full path is kept in the field's "value"
// property (where state files and previews read it), the field shows it elided in the
// middle to its width, again after every resize, and whole while it has the focus so that
// the user edits the real path. Leaving the field or pressing Return takes what was typed
// as the new path and reports it.
class ElidedPathField : public QObject
{
    Q_OBJECT
public:
    // Watches `field` (its parent owns this object). The field keeps its class and name.
    explicit ElidedPathField(QLineEdit* field);
    ~ElidedPathField() override;

    QLineEdit* field() const { return m_field; }
    // Shows `path` (elided unless the field has the focus) and keeps it as the value.
    void setPath(const QString& path);
    // The full path: the kept value when the field shows its elided form, else the text.
    QString path() const;

    // The steps, for dialogs that filter the field's events themselves.
    // Focus in: an elided text is replaced by the whole path.
    static void expand(QLineEdit* field);
    // Focus out or Return: a text that is not the elided form becomes the value; the field
    // shows the value elided (whole while focused). Returns the path.
    static QString commit(QLineEdit* field);
    // Shows the kept value elided to the current width (whole while focused).
    static void reelide(QLineEdit* field);
    // The full path behind the field's text (see path()).
    static QString pathOf(const QLineEdit* field);

signals:
    // The user left the field or pressed Return; `path` is the field's path now.
    void pathCommitted(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_field;
};
