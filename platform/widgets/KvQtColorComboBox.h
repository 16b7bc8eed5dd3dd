#pragma once

#include "KvPlatformExport.h"

#include <QComboBox>

class CKvDatabase;

// The host's colour picker: ByLayer, ByBlock and the standard colour indexes with swatches.
class KVPLATFORM_EXPORT CKvQtColorComboBox : public QComboBox
{
    Q_OBJECT
public:
    CKvQtColorComboBox(QWidget* parent, CKvDatabase* database, bool withByLayerByBlock);

    // The colour index of the current item (256 ByLayer, 0 ByBlock, 1..255), -1 when none.
    int colorIndex() const;
    // Selects the item of a colour index, adding "Color N" for an index not listed.
    void setColorIndex(int index);

private:
    void addColor(int index, const QString& name);

    CKvDatabase* m_database;
};
