#include "widgets/KvDialog.h"

CKvDialog::CKvDialog(QWidget* parent, bool modal, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    setModal(modal);
}

CKvDialog::~CKvDialog() = default;

int CKvDialog::exec()
{
    return QDialog::exec() == QDialog::Accepted ? 1 : 0;
}
