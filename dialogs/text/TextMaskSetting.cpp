#include "dialogs/text/TextMaskSetting.h"

#include <QHash>

// Kept beside the drawing until the host database offers its header variables.
namespace {
QHash<const CKvDatabase*, short>& values()
{
    static QHash<const CKvDatabase*, short> store;
    return store;
}
} // namespace

short TextMaskSetting::read(const CKvDatabase* database)
{
    return values().value(database, 1);
}

void TextMaskSetting::write(CKvDatabase* database, short value)
{
    values().insert(database, value);
}
