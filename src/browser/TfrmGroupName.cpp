#include "browser/TfrmGroupName.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TfrmGroupName::TfrmGroupName(const QString& caption, std::function<void(QWidget*)> showHelp,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmGroupName"));
    setWindowTitle(QStringLiteral("Rename group"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Group Name:"), this);
    edName_ = new QLineEdit(caption, this);
    edName_->setObjectName(QStringLiteral("edName"));
    edName_->selectAll();
    label->setBuddy(edName_);
    layout->addWidget(label);
    layout->addWidget(edName_);

    auto* buttons = new QDialogButtonBox(this);
    btnOk_ = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    btnOk_->setDefault(true);
    buttons->addButton(QStringLiteral("Can&cel"), QDialogButtonBox::RejectRole);
    btnHelp_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    btnHelp_->setEnabled(bool(showHelp));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this, showHelp] {
        if (showHelp)
            showHelp(this);
    });
    const auto offerOk = [this] {
        btnOk_->setEnabled(!edName_->text().trimmed().isEmpty());
    };
    connect(edName_, &QLineEdit::textChanged, this, offerOk);
    offerOk();
    setMinimumWidth(280);
}

QString TfrmGroupName::Caption() const {
    return edName_->text();
}

} // namespace orvane
