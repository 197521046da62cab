#include "browser/LyricsBrowser.h"

#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringDecoder>
#include <QTextDocument>

namespace orvane {

TLyricsBrowser::TLyricsBrowser(QWidget* parent)
    : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setPlaceholderText(QStringLiteral("No lyrics available"));
}

void TLyricsBrowser::ShowDocument(const QString& path) {
    const QFileInfo info(path);
    if (!path.isEmpty() && info.isFile() && path == path_ && info.size() == size_ &&
        info.lastModified() == modified_)
        return;
    path_ = path;
    size_ = -1;
    folder_.clear();
    clear();
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxDocumentSize)
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.read(kMaxDocumentSize);
    size_ = info.size();
    modified_ = info.lastModified();
    folder_ = info.canonicalPath() + u'/';
    const QString suffix = info.suffix().toLower();
    if (suffix == u"htm" || suffix == u"html") {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        const QString html =
            decoder.isValid() ? decoder.decode(bytes) : DecodeLine(SkipByteOrderMark(bytes));
        document()->setBaseUrl(QUrl::fromLocalFile(folder_));
        setHtml(html);
    } else {
        setPlainText(DecodeLine(SkipByteOrderMark(bytes)));
    }
}

QVariant TLyricsBrowser::loadResource(int type, const QUrl& name) {
    if (folder_.isEmpty() ||
        (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource))
        return {};
    QString local;
    if (name.isRelative() && name.host().isEmpty())
        local = QDir(folder_).filePath(name.path());
    else if (name.isLocalFile())
        local = name.toLocalFile();
    else
        return {}; // http, ftp, data and every other scheme
    const QFileInfo info(local);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !canonical.startsWith(folder_) || !info.isFile() ||
        info.size() > kMaxDocumentSize)
        return {};
    if (type == QTextDocument::ImageResource) {
        const QImage image(canonical);
        return image.isNull() ? QVariant() : QVariant(image);
    }
    QFile file(canonical);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DecodeLine(SkipByteOrderMark(file.read(kMaxDocumentSize)));
}

} // namespace orvane
