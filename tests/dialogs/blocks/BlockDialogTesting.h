#pragma once

// What the block dialog tests share: the example drawing, table contents and previews.
#include "ItemTexts.h"
#include "ModuleFixture.h"

#include "kernel/KvDocument.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QPixmap>
#include <QTableWidget>

namespace BlockDialogTesting {

// examples/drawings/blocks.dxf opened as a new, active document (blocks DOOR, WINDOW, ROOM,
// SAMPLER and the anonymous *U1).
inline CKvDocument* openBlocksDrawing(PlatformFixture& host)
{
    return host.documents()->OpenDocument(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/blocks.dxf"));
}

inline QStringList column(const QTableWidget* table, int column = 0)
{
    return columnTexts(table, column);
}

inline QStringList selectedNames(const QTableWidget* table)
{
    QStringList names;
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0) && table->item(r, 0)->isSelected())
            names << table->item(r, 0)->text();
    return names;
}

// What the preview shows (a drawing's pixmap, or the black picture of "nothing to show") as
// an image of the label's size; transparent when it shows neither.
inline QImage previewImage(const QLabel* preview)
{
    QImage image(preview->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QPixmap pixmap = preview->pixmap(Qt::ReturnByValue);
    QPicture picture = preview->picture(Qt::ReturnByValue);
    if (!pixmap.isNull())
        painter.drawPixmap(0, 0, pixmap);
    else if (!picture.isNull())
        picture.play(&painter);
    return image;
}

// Whether the preview shows something: a picture with a pixel that is neither black nor
// the renderer's background colour.
inline bool showsDrawing(const QLabel* preview)
{
    const QImage image = previewImage(preview);
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                return true;
    return false;
}

// Whether the preview is the black picture of "nothing to show".
inline bool isBlack(const QLabel* preview)
{
    const QImage image = previewImage(preview);
    return !showsDrawing(preview) && image.pixel(0, 0) == qRgb(0, 0, 0);
}

} // namespace BlockDialogTesting
