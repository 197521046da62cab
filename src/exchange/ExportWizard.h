#pragma once
// What the two export wizards share: pages shown one at a time, "<  &Previous", "&Next  >"
// (which reads "&Finish>" on the last page and "&Close  " once the export has run) and
// "&Cancel", the file-name page with its "Browse..." button and the summary page. "&Finish>"
// asks before replacing an existing file. Closing the wizard before "&Finish>" writes nothing.
// GUI thread only.

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace orvane {

class Prompts;

class ExportWizard : public QDialog {
    Q_OBJECT
public:
    int Page() const;
    bool Done() const { return done_; }
    QPushButton* btnPrev() const { return btnPrev_; }
    QPushButton* btnNext() const { return btnNext_; }
    QPushButton* btnCancel() const { return btnCancel_; }
    QLineEdit* edFilename() const { return edFilename_; }
    QPlainTextEdit* mmsummary() const { return mmsummary_; }
    QStringList SummaryLines() const;

    void btnNextClick();
    void btnPrevClick();
    void btnBrowseClick();

protected:
    ExportWizard(const QString& name, const QString& caption, Prompts& prompts, QWidget* parent);

    void addPage(QWidget* page);
    // The file-name page: the box set to defaultFile, and the chooser's filters.
    QWidget* makeFilePage(const QString& defaultFile, const QString& filters);
    // The summary page, always the last.
    QWidget* makeSummaryPage();
    void setSummary(const QStringList& lines);

    // May the wizard leave page for the next one? (Tells the user why not.)
    virtual bool pageDone(int page);
    // The summary lines for file, when the last page is reached.
    virtual QStringList summaryFor(const QString& file) const = 0;
    // Runs the export to file (the one the summary named); true when the wizard's work is done.
    virtual bool exportTo(const QString& file) = 0;

    Prompts& prompts_;

private:
    void showPage(int page);
    void finish();

    QStackedWidget* pages_ = nullptr;
    QPushButton* btnPrev_ = nullptr;
    QPushButton* btnNext_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QLineEdit* edFilename_ = nullptr;
    QPlainTextEdit* mmsummary_ = nullptr;
    QString filters_;
    QString defaultFolder_; // where a name typed without a folder goes
    QString summaryFile_;   // the file the summary shows, the one "&Finish>" writes
    bool done_ = false;
};

} // namespace orvane
