#include "OpenUrlDialog.h"

#include "core/OpenAddress.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zendrix {

OpenUrlDialog::OpenUrlDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Open URL"));
    setObjectName(QStringLiteral("frmOpenUrl"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("&Address of a stream or a file:"), this);
    txtAddress = new QLineEdit(this);
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtAddress->setAccessibleName(QStringLiteral("Address"));
    txtAddress->setMaxLength(int(kMaxAddressLength) + 1);
    txtAddress->setMinimumWidth(360);
    prompt->setBuddy(txtAddress);
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    lblProblem->setTextFormat(Qt::PlainText);
    lblProblem->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenUrlDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OpenUrlDialog::reject);
    layout->addWidget(prompt);
    layout->addWidget(txtAddress);
    layout->addWidget(lblProblem);
    layout->addWidget(buttons);

    // An address copied from a browser is the likeliest thing to open.
    if (const QClipboard* clipboard = QGuiApplication::clipboard()) {
        const AddressCheck copied = checkOpenAddress(clipboard->text());
        if (!copied.address.isEmpty()) {
            txtAddress->setText(copied.address);
            txtAddress->selectAll();
        }
    }
}

void OpenUrlDialog::accept()
{
    const AddressCheck check = checkOpenAddress(txtAddress->text());
    if (check.address.isEmpty()) {
        lblProblem->setText(check.problem);
        lblProblem->show();
        // A screen reader reads the reason with the field that needs changing.
        txtAddress->setAccessibleDescription(check.problem);
        txtAddress->setFocus();
        return;
    }
    m_address = check.address;
    QDialog::accept();
}

QString QtAddressDialogs::openAddress()
{
    OpenUrlDialog dialog;
    return dialog.exec() == QDialog::Accepted ? dialog.address() : QString();
}

} // namespace zendrix
