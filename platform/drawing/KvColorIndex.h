#pragma once

#include "KvPlatformExport.h"

#include <QColor>

// Colour index values with a meaning of their own rather than a colour.
enum KvAciSpecial : int {
    KvAciByBlock = 0,
    KvAciForeground = 7,
    KvAciByLayer = 256,
};

// The drawing's 256-entry colour index. Indexes outside 1..255 (by block, by layer, invalid)
// give the foreground colour 7, which the table holds as white: the host draws on a dark
// background. A painter on a light background shows 7 as black itself.
KVPLATFORM_EXPORT QColor kvAciColor(int index);
