#pragma once

#include "KvPlatformExport.h"

#include <QByteArray>
#include <QString>

class CKvDatabase;

// Reads ASCII DXF drawings into a database: header settings, layers, blocks and the entities a
// drawing shows (lines, curves, splines, texts, solids, faces, hatches, dimensions, leaders,
// multilines, references, image and wipeout frames). Whatever else a file holds is skipped:
// unknown sections, objects, entities and group codes never make it refused. A file is
// refused when it is not DXF, or when its structure is damaged (a group code that is not a
// number, a number that is not one, sections or blocks that do not close, no end mark).
class KVPLATFORM_EXPORT KvDxfReader
{
public:
    // Larger files are refused rather than read into memory.
    static constexpr qint64 kMaxFileSize = qint64(512) << 20;

    // True when the data starts like ASCII DXF: after blank lines and comments (999) its first
    // group is 0/SECTION. Binary DXF and anything else are not DXF here.
    static bool looksLikeDxf(const QByteArray& head);

    // Reads the file at path into database, which should be new. False when the file cannot be
    // read or is not (well-formed) DXF: the database is as a new one then, and *reason says
    // why in words for the user, e.g. "it is damaged at line 12 (a group code is not a number)".
    static bool readFile(const QString& path, CKvDatabase& database, QString* reason = nullptr);
    static bool readData(const QByteArray& data, CKvDatabase& database, QString* reason = nullptr);
};
