#pragma once
// The dialog "Export...": which export to run, the plain-text report or the collection file,
// with an information box that explains the selected entry. "&Next" closes it with OK.
// GUI thread only.

#include <QDialog>

class QLabel;
class QListWidget;

namespace orvane {

class TfrmExportTypeSelection : public QDialog {
    Q_OBJECT
public:
    enum class Choice { PlainText, CollectionFile };

    explicit TfrmExportTypeSelection(QWidget* parent = nullptr);

    Choice Selected() const;
    QListWidget* lbTypes() const { return lbTypes_; }
    QString InformationText() const;

private:
    QListWidget* lbTypes_ = nullptr;
    QLabel* info_ = nullptr;
};

} // namespace orvane
