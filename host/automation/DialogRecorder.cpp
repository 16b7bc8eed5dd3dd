#include "DialogRecorder.h"

#include "WidgetActions.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>

DialogWatcher::DialogWatcher(QObject* parent) : QObject(parent)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

DialogWatcher::~DialogWatcher()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool DialogWatcher::eventFilter(QObject* watched, QEvent* event)
{
    // Spontaneous shows are the window system restoring a window, not the program opening it.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && dialog->isWindow())
            emit dialogShown(dialog);
    }
    return QObject::eventFilter(watched, event);
}

DialogRecorder::DialogRecorder(const QString& folder, bool closeDialogs, QObject* parent)
    : QObject(parent), m_folder(folder), m_close(closeDialogs)
{
    connect(&m_watcher, &DialogWatcher::dialogShown, this, &DialogRecorder::shown);
}

bool DialogRecorder::isPictured(const QDialog* dialog)
{
    if (qobject_cast<const QMessageBox*>(dialog))
        return true;
    static const char* const qtDialogs[] = {
        "QDialog", "QFileDialog", "QColorDialog", "QFontDialog", "QInputDialog", "QProgressDialog", "QErrorMessage",
        "QWizard", "QAbstractPrintDialog", "QPrintDialog", "QPageSetupDialog", "QPrintPreviewDialog",
    };
    const QLatin1String name(dialog->metaObject()->className());
    for (const char* qt : qtDialogs)
        if (name == QLatin1String(qt))
            return false;
    return true;
}

QString DialogRecorder::pictureName(const QDialog* dialog)
{
    QString name = QString::fromLatin1(dialog->metaObject()->className());
    for (QChar& c : name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-')))
            c = QLatin1Char('_');
    return name;
}

void DialogRecorder::shown(QDialog* dialog)
{
    // The picture waits until the dialog has been laid out and sized (a message box sizes
    // itself in its own showEvent, which runs after this filter).
    QPointer<QDialog> guard(dialog);
    QTimer::singleShot(0, this, [this, guard] {
        if (guard && guard->isVisible())
            take(guard);
    });
}

void DialogRecorder::take(QDialog* dialog)
{
    if (!m_folder.isEmpty() && isPictured(dialog)) {
        const QString name = pictureName(dialog);
        const int count = ++m_counts[name];
        const QString file = count == 1 ? name + QStringLiteral(".png") : QStringLiteral("%1-%2.png").arg(name).arg(count);
        const QString path = QDir(m_folder).filePath(file);
        const QImage image = dialog->grab().toImage();
        QSaveFile out(path);
        if (image.isNull() || !out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit())
            emit pictureFailed(QStringLiteral("cannot save the picture of %1 to %2: %3")
                                   .arg(name, path, image.isNull() ? QStringLiteral("empty picture") : out.errorString()));
        else {
            m_saved << path;
            emit pictureSaved(path);
        }
    }
    if (m_close) {
        const QString description = WidgetActions::describeWindow(dialog);
        WidgetActions::closeWindow(dialog);
        emit dialogClosed(description);
    }
}
