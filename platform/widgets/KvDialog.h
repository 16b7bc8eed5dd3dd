#pragma once

#include "KvPlatformExport.h"

#include <QDialog>

// The host's dialog base: a QDialog whose exec() gives 1 when accepted, 0 otherwise.
class KVPLATFORM_EXPORT CKvDialog : public QDialog
{
    Q_OBJECT
public:
    CKvDialog(QWidget* parent, bool modal, Qt::WindowFlags flags = Qt::WindowFlags());
    ~CKvDialog() override;

    int exec() override;
};
