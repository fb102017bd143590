#pragma once

#include "core/Host.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace zendrix {

// The "Open URL" dialog: one field for an address, OK and Cancel. OK takes the address only when
// checkOpenAddress does; otherwise the dialog says why under the field and stays open. The field starts
// with the clipboard's text when that is an address the player takes.
class OpenUrlDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OpenUrlDialog(QWidget* parent = nullptr);

    QLineEdit* txtAddress = nullptr;
    QLabel* lblProblem = nullptr;

    // The address taken by OK; "" before it.
    QString address() const { return m_address; }

    void accept() override;

private:
    QString m_address;
};

// The desktop's AddressDialogs: the dialog above, modal.
class QtAddressDialogs : public AddressDialogs
{
public:
    QString openAddress() override;
};

} // namespace zendrix
