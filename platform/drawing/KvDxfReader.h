#pragma once

#include "KvPlatformExport.h"

#include <QByteArray>
#include <QString>

class CKvDatabase;

// Reads ASCII DXF drawings into a database. The data's structure is checked in full before
// anything is built (dxflib trusts its input), so a file that is not DXF or is damaged adds
// nothing; only what the drawing shows is kept: layers, blocks and the common 2D entities.
class KVPLATFORM_EXPORT KvDxfReader
{
public:
    // Larger files are refused rather than read into memory.
    static constexpr qint64 kMaxFileSize = qint64(512) << 20;

    // True when the data starts like ASCII DXF: after blank lines and comments (999) its first
    // group is 0/SECTION. Binary DXF and anything else are not DXF here.
    static bool looksLikeDxf(const QByteArray& head);

    // Reads the file at path into database, which should be new. False when the file cannot be
    // read or is not (well-formed) DXF: nothing was added then, unless memory ran out while
    // building, which is why CKvDatabase::LoadFile clears the database after a failure.
    static bool readFile(const QString& path, CKvDatabase& database);
    static bool readData(const QByteArray& data, CKvDatabase& database);
};
