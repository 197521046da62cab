#pragma once
// htmlLyrics: the view of a lyrics document, an HTML or text file on this computer. It shows
// local documents only: it never loads anything from the network, never follows a link, runs
// no scripts (a QTextBrowser has none), and takes pictures and style sheets only from the
// document's own folder and the folders under it. GUI thread only.

#include <QDateTime>
#include <QTextBrowser>

namespace orvane {

class TLyricsBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit TLyricsBrowser(QWidget* parent = nullptr);

    // Shows the document at path: ".htm" and ".html" files as HTML, others as text. An empty
    // path, a missing file or one that cannot be read leaves the view empty, which shows "No
    // lyrics available". The same unchanged file is not read again.
    void ShowDocument(const QString& path);
    const QString& DocumentPath() const { return path_; }

    QVariant loadResource(int type, const QUrl& name) override;

    // Documents larger than this are not shown (no lyrics are that long).
    static constexpr qint64 kMaxDocumentSize = 4 << 20;

private:
    QString path_;
    QString folder_; // canonical folder of the document, with a trailing separator
    qint64 size_ = -1;
    QDateTime modified_;
};

} // namespace orvane
