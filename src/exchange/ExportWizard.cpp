#include "exchange/ExportWizard.h"

#include "platform/Prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace orvane {

namespace {
const QString kNext = QStringLiteral("&Next  >");
const QString kFinish = QStringLiteral("&Finish>");
const QString kClose = QStringLiteral("&Close  ");
} // namespace

ExportWizard::ExportWizard(const QString& name, const QString& caption, Prompts& prompts,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , prompts_(prompts) {
    setObjectName(name);
    setWindowTitle(caption);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    pages_ = new QStackedWidget(this);
    layout->addWidget(pages_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnPrev_ = new QPushButton(QStringLiteral("<  &Previous"), this);
    btnPrev_->setObjectName(QStringLiteral("btnPrev"));
    btnPrev_->setEnabled(false);
    btnNext_ = new QPushButton(kNext, this);
    btnNext_->setObjectName(QStringLiteral("btnNext"));
    btnNext_->setDefault(true);
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnPrev_);
    buttons->addWidget(btnNext_);
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
    connect(btnPrev_, &QPushButton::clicked, this, &ExportWizard::btnPrevClick);
    connect(btnNext_, &QPushButton::clicked, this, &ExportWizard::btnNextClick);
    connect(btnCancel_, &QPushButton::clicked, this, &ExportWizard::reject);
    setMinimumSize(480, 340);
}

int ExportWizard::Page() const {
    return pages_->currentIndex();
}

void ExportWizard::addPage(QWidget* page) {
    pages_->addWidget(page);
}

QWidget* ExportWizard::makeFilePage(const QString& defaultFile, const QString& filters) {
    filters_ = filters;
    defaultFolder_ = QFileInfo(defaultFile).absolutePath();
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("&Select the target filename for the export."), page);
    edFilename_ = new QLineEdit(QDir::toNativeSeparators(defaultFile), page);
    edFilename_->setObjectName(QStringLiteral("edFilename"));
    label->setBuddy(edFilename_);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), page);
    browse->setObjectName(QStringLiteral("btnBrowse"));
    connect(browse, &QPushButton::clicked, this, &ExportWizard::btnBrowseClick);
    auto* row = new QHBoxLayout;
    row->addWidget(edFilename_, 1);
    row->addWidget(browse);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* ExportWizard::makeSummaryPage() {
    mmsummary_ = new QPlainTextEdit(this); // plain text: names from the user are never markup
    mmsummary_->setObjectName(QStringLiteral("mmsummary"));
    mmsummary_->setReadOnly(true);
    mmsummary_->setLineWrapMode(QPlainTextEdit::NoWrap);
    return mmsummary_;
}

void ExportWizard::setSummary(const QStringList& lines) {
    mmsummary_->setPlainText(lines.join(u'\n'));
}

QStringList ExportWizard::SummaryLines() const {
    return mmsummary_->toPlainText().split(u'\n');
}

bool ExportWizard::pageDone(int page) {
    if (!pages_->widget(page)->isAncestorOf(edFilename_))
        return true;
    if (edFilename_->text().trimmed().isEmpty()) {
        prompts_.warning(QStringLiteral("Please type the name of the file to write."));
        edFilename_->setFocus();
        return false;
    }
    // A bare name goes beside the default file, not into whatever the working folder is.
    const QString typed = QDir::fromNativeSeparators(edFilename_->text());
    if (QFileInfo(typed).isRelative())
        edFilename_->setText(QDir::toNativeSeparators(QDir(defaultFolder_).filePath(typed)));
    return true;
}

void ExportWizard::showPage(int page) {
    pages_->setCurrentIndex(page);
    btnPrev_->setEnabled(page > 0);
    const bool last = page == pages_->count() - 1;
    btnNext_->setText(last ? kFinish : kNext);
    if (last) {
        summaryFile_ = QDir::fromNativeSeparators(edFilename_->text());
        setSummary(summaryFor(edFilename_->text()));
    }
}

void ExportWizard::btnNextClick() {
    if (done_) {
        accept();
        return;
    }
    const int page = Page();
    if (page == pages_->count() - 1) {
        finish();
        return;
    }
    if (pageDone(page))
        showPage(page + 1);
}

void ExportWizard::btnPrevClick() {
    if (done_ || Page() == 0)
        return;
    showPage(Page() - 1);
}

void ExportWizard::btnBrowseClick() {
    const std::optional<QString> file = prompts_.chooseSaveFile(
        QStringLiteral("Select the target filename"), edFilename_->text(), filters_);
    if (file)
        edFilename_->setText(QDir::toNativeSeparators(*file));
}

void ExportWizard::finish() {
    // Asked now, not when the name was typed: the file may have appeared since.
    const QFileInfo target(summaryFile_);
    if (target.exists() &&
        !prompts_.confirm(QStringLiteral("The file ") + QDir::toNativeSeparators(summaryFile_) +
                          QStringLiteral(" already exists.\nDo you want to replace it?")))
        return;
    if (!exportTo(summaryFile_))
        return;
    done_ = true;
    btnNext_->setText(kClose);
    btnPrev_->setEnabled(false);
}

} // namespace orvane
