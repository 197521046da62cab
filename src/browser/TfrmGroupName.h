#pragma once
// The side bar's rename dialog: "Group Name:" with the group's caption to edit, and "&OK",
// "Can&cel" and "&Help". OK is offered only while the name holds more than blanks. "&Help" asks
// for the help page of the side bar; without a way to show it the button is disabled.
// GUI thread only.

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace orvane {

class TfrmGroupName : public QDialog {
    Q_OBJECT
public:
    TfrmGroupName(const QString& caption, std::function<void(QWidget* dialog)> showHelp,
                  QWidget* parent = nullptr);

    QString Caption() const;
    QLineEdit* edName() const { return edName_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnHelp() const { return btnHelp_; }

private:
    QLineEdit* edName_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
};

} // namespace orvane
