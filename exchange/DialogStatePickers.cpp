// Choosing drawings and folders, checking names and paths, natural sorting and previews:
// the small services the block, drawing, pattern and multiview dialogs share.
#include "exchange/DialogState.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "module/HostServices.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPicture>
#include <QPixmap>
#include <algorithm>
#include <numeric>
#include <vector>

namespace {
// The characters a file name may not hold, as the message lists them.
const QString& forbiddenFileNameCharacters()
{
    static const QString characters = QStringLiteral("<>/\\\":;?*|,='");
    return characters;
}

// Field `field` of `entry` split at every `separator` (empty parts kept); empty when the
// entry has fewer fields.
QString fieldOf(const QString& entry, const QString& separator, int field)
{
    if (field < 0)
        return QString();
    if (separator.isEmpty()) {
        // Splitting at the empty text gives an empty part, each character, an empty part.
        return field >= 1 && field <= entry.size() ? entry.mid(field - 1, 1) : QString();
    }
    int start = 0;
    for (int i = 0; i < field; ++i) {
        const int next = entry.indexOf(separator, start);
        if (next < 0)
            return QString();
        start = next + separator.size();
    }
    const int end = entry.indexOf(separator, start);
    return end < 0 ? entry.mid(start) : entry.mid(start, end - start);
}

// Shows `image` stretched over `preview`. As a pixmap: a QPicture would store the image as
// PNG and decode it on every repaint, 2 ms a preview on a dialog that shows one at each call.
void showImage(QLabel* preview, const QImage& image, Qt::TransformationMode mode)
{
    preview->setPixmap(QPixmap::fromImage(image.scaled(preview->size(), Qt::IgnoreAspectRatio, mode)));
}

// The x and y spans of a record's extents; nothing drawn measures 0 by 0.
void measure(const OdDbBlockTableRecord& record, double& width, double& height)
{
    const OdGeExtents3d extents = record.geomExtents();
    width = extents.isValid() ? extents.maxPoint.x - extents.minPoint.x : 0.0;
    height = extents.isValid() ? extents.maxPoint.y - extents.minPoint.y : 0.0;
}

// The host's picture of one record of a database at the preview's size; null when none.
QImage render(CKvDatabase* database, const OdDbObjectId& id, const QLabel* preview)
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvPreviewRenderer* renderer = services ? services->GetPreviewRenderer() : nullptr;
    if (!renderer)
        return QImage();
    return renderer->Render(database, QVector<OdDbObjectId>{id}, preview->geometry().size());
}
} // namespace

QString CDialogState::pickDrawing(QString& startFolder, QLabel* preview, QWidget* pathWidget, bool rejectCurrentDrawing)
{
    if (startFolder.isNull())
        startFolder = QStringLiteral(".");
    QString result =
        QFileDialog::getOpenFileName(m_owner, tr("Specify a drawing"), startFolder, tr("Drawing files (*.dwg)"));
    if (!result.contains(QLatin1String(".dwg"), Qt::CaseInsensitive))
        return QString();
    if (rejectCurrentDrawing) {
        // The same file under another spelling (relative, "..", links) is still the same file.
        CKvDocument* document = HostServices::activeDocument();
        const QString current = document ? QString(document->GetFileName()) : QString();
        if (!current.isEmpty() && QFileInfo(current) == QFileInfo(result)) {
            QMessageBox::information(m_owner, QString(), tr("Error: Xref contains circular reference"),
                                     QMessageBox::Ok);
            return QString();
        }
    }
    if (preview)
        previewDrawingOrBlock(result, preview, pathWidget);
    return result;
}

QString CDialogState::pickFolder(const QString& startFolder, QLineEdit* target, const QString& title,
                                 const QString& acceptText)
{
    QFileDialog dialog;
    dialog.setAttribute(Qt::WA_QuitOnClose, false);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setWindowTitle(title.isNull() ? tr("Select folder") : title);
    dialog.setLabelText(QFileDialog::Accept, acceptText.isNull() ? tr("Select folder") : acceptText);
    QString start = startFolder;
    if (start.isNull() || !QFileInfo::exists(start)) {
        const QStringList support = HostServices::supportFolders();
        start = support.isEmpty() ? HostServices::userFolder() : support.first();
    }
    dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString result = dialog.selectedFiles().value(0);
    if (target && !result.isEmpty()) {
        target->setText(result);
        // Kept in full also for a path that itself holds "...".
        target->setProperty("value", result);
    }
    return result;
}

bool CDialogState::checkFileName(const QString& name, const QString& title, const QString& targetPath)
{
    if (name.isEmpty()) {
        QMessageBox::information(m_owner, title, tr("Filename can`t be empty"), QMessageBox::Ok);
        return false;
    }
    for (const QChar c : forbiddenFileNameCharacters()) {
        if (name.contains(c)) {
            QMessageBox::information(m_owner, title,
                                     tr("The following characters are not valid in File names: <>/\\\":;?*|,='"),
                                     QMessageBox::Ok);
            return false;
        }
    }
    if (!targetPath.isEmpty() && QFileInfo::exists(targetPath)) {
        return QMessageBox::question(
                   m_owner, title,
                   tr("Drawing symbol \"%1\" already exists. Do you want to replace it?").arg(targetPath),
                   QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes;
    }
    return true;
}

bool CDialogState::checkFolder(const QString& path, const QString& title, bool silent)
{
    if (path.isEmpty()) {
        if (!silent)
            QMessageBox::information(m_owner, title, tr("Path can`t be empty"), QMessageBox::Ok);
        return false;
    }
    if (QFileInfo(path).isDir())
        return true;
    if (!silent)
        QMessageBox::information(m_owner, title, tr("Cannot find the specified Path."), QMessageBox::Ok);
    return false;
}

bool CDialogState::checkFile(const QString& path, const QString& title, bool showMessages)
{
    if (path.isEmpty()) {
        if (showMessages)
            QMessageBox::information(m_owner, title, tr("Filename can`t be empty"), QMessageBox::Ok);
        return false;
    }
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return true;
    if (showMessages)
        QMessageBox::information(m_owner, title, tr("Cannot find the specified file."), QMessageBox::Ok);
    return false;
}

QString CDialogState::defaultFolder()
{
    if (m_defaultFolder.isNull()) {
        const QStringList support = HostServices::supportFolders();
        m_defaultFolder = support.isEmpty() ? HostServices::userFolder() : support.first();
        // Remembered as found, even when the host has no folder at all.
        if (m_defaultFolder.isNull())
            m_defaultFolder = QLatin1String("");
    }
    return m_defaultFolder;
}

QCollator CDialogState::nameCollator()
{
    // The C locale collates by code point and knows no numeric mode, so B10 would come
    // before B2: a process without a locale sorts as in English instead.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

void CDialogState::sortNames(QStringList& names, const QString& separator, int field, bool descending)
{
    const int count = names.size();
    if (count < 2)
        return;
    // Block lists repeat field values (counts, layers, common names): each distinct value is
    // collated once, into a key; the keys are sorted once and give every value a rank, equal
    // values in the collator's eyes sharing one. The entries are then sorted by rank.
    QHash<QString, int> distinct;
    distinct.reserve(count);
    std::vector<int> valueOf(static_cast<std::size_t>(count));
    QStringList values;
    for (int i = 0; i < count; ++i) {
        const QString value = fieldOf(names.at(i), separator, field);
        auto it = distinct.find(value);
        if (it == distinct.end()) {
            it = distinct.insert(value, values.size());
            values.append(value);
        }
        valueOf[std::size_t(i)] = it.value();
    }
    const QCollator collator = nameCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(values.size()));
    for (const QString& value : qAsConst(values))
        keys.push_back(collator.sortKey(value));
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(),
              [&](int a, int b) { return keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0; });
    std::vector<int> rank(keys.size());
    int current = 0;
    for (std::size_t k = 0; k < byKey.size(); ++k) {
        if (k > 0 && keys[std::size_t(byKey[k - 1])].compare(keys[std::size_t(byKey[k])]) != 0)
            ++current;
        rank[std::size_t(byKey[k])] = descending ? -current : current;
    }

    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return rank[std::size_t(valueOf[std::size_t(a)])] < rank[std::size_t(valueOf[std::size_t(b)])];
    });
    QStringList sorted;
    sorted.reserve(count);
    for (const int i : order)
        sorted.append(names.at(i));
    names.swap(sorted);
}

void CDialogState::previewDrawingOrBlock(const CKvString& pathOrBlockName, QLabel* preview, QWidget* pathWidget)
{
    if (!preview)
        return;
    QString name = pathOrBlockName;
    if (name.isEmpty()) {
        QPicture picture;
        QPainter painter(&picture);
        painter.fillRect(QRect(0, 0, 500, 500), Qt::black);
        painter.end();
        preview->setPicture(picture);
        return;
    }
    if (pathWidget) {
        const int width = qMax(0, pathWidget->width() - 8);
        const QString shown =
            QFontMetrics(pathWidget->font()).elidedText(name, Qt::ElideMiddle, width, Qt::TextSingleLine);
        name = storedFullText(pathWidget, name);
        if (auto* label = qobject_cast<QLabel*>(pathWidget))
            label->setText(shown);
        else if (auto* edit = qobject_cast<QLineEdit*>(pathWidget))
            edit->setText(shown);
        pathWidget->setToolTip(name);
    }

    const QFileInfo file(name);
    if (file.exists() && !file.isDir()) {
        CKvDatabase database;
        if (!database.LoadFile(name))
            return;
        const OdDbObjectId modelSpace = database.getModelSpaceId();
        const auto* record = dynamic_cast<const OdDbBlockTableRecord*>(modelSpace.openObject());
        if (!record)
            return;
        measure(*record, previewSizes.modelWidth, previewSizes.modelHeight);
        const QImage image = render(&database, modelSpace, preview);
        if (!image.isNull())
            showImage(preview, image, Qt::FastTransformation);
        return;
    }

    CKvDocument* document = HostServices::activeDocument();
    CKvDatabase* database = document ? document->GetKvDatabase() : nullptr;
    if (!database)
        return;
    const OdDbObjectId block = database->getBlockId(name);
    const auto* record = dynamic_cast<const OdDbBlockTableRecord*>(block.openObject());
    if (!record)
        return;
    measure(*record, previewSizes.blockWidth, previewSizes.blockHeight);
    const QImage image = render(database, block, preview);
    if (!image.isNull())
        showImage(preview, image, Qt::FastTransformation);
}

void CDialogState::previewImage(const CKvString& path, QLabel* preview, QLabel* pathLabel)
{
    QString name = path;
    if (pathLabel) {
        const int width = qMax(0, pathLabel->width() - 8);
        pathLabel->setText(
            QFontMetrics(pathLabel->font()).elidedText(name, Qt::ElideMiddle, width, Qt::TextSingleLine));
        name = storedFullText(pathLabel, name);
        pathLabel->setToolTip(name);
    }
    // An image that cannot be read leaves the preview and its sizes as they were (no name:
    // nothing to read, and no warning of the file system about it).
    const QImage image = name.isEmpty() ? QImage() : QImage(name);
    if (image.isNull() || !preview)
        return;
    previewSizes.imageWidth = image.width();
    previewSizes.imageHeight = image.height();
    showImage(preview, image, Qt::SmoothTransformation);
}
