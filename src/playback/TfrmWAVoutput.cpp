#include "playback/TfrmWAVoutput.h"

#include "platform/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvane {

TfrmWAVoutput::TfrmWAVoutput(QWidget* parent, Prompts& prompts, const XaudioLibrary& library)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint |
                          Qt::MSWindowsFixedSizeDialogHint)
    , prompts_(prompts) {
    setObjectName(QStringLiteral("frmWAVoutput"));
    setWindowTitle(QStringLiteral("WAV output"));
    xaDiskWriter_ = new TXaudioPlayer(this, prompts, library);
    // An export decodes as fast as it can for minutes: at normal priority it leaves the
    // window and the listening player (which keeps its raised priority) their share.
    xaDiskWriter_->SetPriority(XA_CONTROL_PRIORITY_NORMAL);
    export_ = new TWavExport(*xaDiskWriter_, prompts, this);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel(QStringLiteral("Exporting to WAV file:"), this));
    lblFNAme_ = new QLabel(this);
    lblFNAme_->setObjectName(QStringLiteral("lblFNAme"));
    lblFNAme_->setTextFormat(Qt::PlainText); // a file name, never markup
    lblFNAme_->setMinimumWidth(360);
    layout->addWidget(lblFNAme_);
    pgSong_ = new QProgressBar(this);
    pgSong_->setObjectName(QStringLiteral("pgSong"));
    pgSong_->setRange(0, 100);
    pgSong_->setValue(0);
    layout->addWidget(pgSong_);
    pbMain_ = new QProgressBar(this);
    pbMain_->setObjectName(QStringLiteral("pbMain"));
    pbMain_->setRange(0, 100);
    pbMain_->setValue(0);
    pbMain_->setFormat(QStringLiteral("%v of %m"));
    layout->addWidget(pbMain_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    buttons->addWidget(btnCancel_);
    layout->addLayout(buttons);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmWAVoutput::btnCancelClick);

    connect(export_, &TWavExport::songStarted, this, [this](const QString& name) {
        lblFNAme_->setText(name);
        pgSong_->setValue(0);
    });
    connect(export_, &TWavExport::songRange, this,
            [this](int range) { pgSong_->setMaximum(range); });
    connect(export_, &TWavExport::songPosition, pgSong_, &QProgressBar::setValue);
    connect(export_, &TWavExport::songDone, this, [this](int done, int total) {
        pbMain_->setMaximum(total);
        pbMain_->setValue(done);
    });
    connect(export_, &TWavExport::finished, this, &QWidget::hide);
}

void TfrmWAVoutput::ExportSongs(const SongRows& rows) {
    if (rows.empty())
        return;
    const std::optional<QString> folder =
        prompts_.chooseFolder(QStringLiteral("Select a directory for .WAV file output"), {});
    if (!folder) {
        cancelled_ = true;
        return;
    }
    cancelled_ = false;
    QStringList paths;
    for (const SongRow& row : rows)
        paths << row.Path();
    const bool running = export_->Running();
    if (!running) {
        pbMain_->setRange(0, static_cast<int>(paths.size()));
        pbMain_->setValue(0);
        lblFNAme_->clear();
        pgSong_->setValue(0);
    }
    show();
    raise();
    activateWindow();
    export_->Start(*folder, paths);
    // Songs added to a running export lengthen the bar.
    pbMain_->setMaximum(export_->Total());
    pbMain_->setValue(export_->Done());
}

void TfrmWAVoutput::btnCancelClick() {
    if (!export_->Running()) {
        hide();
        return;
    }
    const PromptAnswer answer = prompts_.ask(
        PromptKind::Warning, PromptButtons::YesNo,
        QStringLiteral("You are about to cancel the exporting to WAV files\nContinue?"));
    // The export may have ended while the question was open.
    if (answer != PromptAnswer::Yes || !export_->Running())
        return;
    export_->Cancel();
    hide();
}

void TfrmWAVoutput::reject() {
    btnCancelClick();
}

} // namespace orvane
