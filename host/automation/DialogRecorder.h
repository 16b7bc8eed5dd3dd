#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QDialog;

// Tells when a top-level dialog is shown, for every dialog of the application.
class DialogWatcher : public QObject
{
    Q_OBJECT
public:
    explicit DialogWatcher(QObject* parent = nullptr);
    ~DialogWatcher() override;

signals:
    // Sent while the dialog is being shown; act on it in a queued call.
    void dialogShown(QDialog* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Saves a picture of each dialog of the application as it is shown, and can then close it,
// so that code opening dialogs runs without a person and leaves pictures of them.
//
// Pictured are dialogs of our own classes, as <Class>.png (<Class>-2.png, -3 … when shown
// again), and message boxes, as QMessageBox.png, QMessageBox-2.png …; Qt's other dialogs
// (file, colour, font, progress, print) are not. With closing on, every dialog shown is
// rejected once its picture is taken, Qt's own dialogs included.
class DialogRecorder : public QObject
{
    Q_OBJECT
public:
    // folder empty: no pictures.
    DialogRecorder(const QString& folder, bool closeDialogs, QObject* parent = nullptr);

    // Whether a dialog of this kind gets a picture, and under which name (without ".png").
    static bool isPictured(const QDialog* dialog);
    static QString pictureName(const QDialog* dialog);

    QStringList savedFiles() const { return m_saved; }

    // A picture of a dialog as it is now, named like the ones taken when it is shown.
    void picture(QDialog* dialog) { take(dialog); }

signals:
    void pictureSaved(const QString& path);
    void pictureFailed(const QString& message);
    void dialogClosed(const QString& description);

private:
    void shown(QDialog* dialog);
    void take(QDialog* dialog);

    QString m_folder;
    bool m_close;
    QHash<QString, int> m_counts;
    QStringList m_saved;
    DialogWatcher m_watcher;
};
