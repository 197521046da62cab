#include "browser/HelpCatalog.h"

#include <QFile>
#include <algorithm>

namespace orvane {

QString HelpCatalog::PageFor(const QString& windowClass) const {
    const QString name = windowClass.section(QStringLiteral("::"), -1);
    for (const HelpTopic& window : Windows)
        if (window.Caption == name)
            return window.Page;
    return Contents.isEmpty() ? QString() : Contents.first().Page;
}

bool ReadHelpCatalog(const QString& file, HelpCatalog& catalog) {
    catalog = {};
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QList<HelpTopic>* section = nullptr;
    while (!in.atEnd()) {
        const QString line = QString::fromUtf8(in.readLine()).remove(u'\r').remove(u'\n');
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (trimmed == QStringLiteral("[contents]"))
            section = &catalog.Contents;
        else if (trimmed == QStringLiteral("[index]"))
            section = &catalog.Index;
        else if (trimmed == QStringLiteral("[windows]"))
            section = &catalog.Windows;
        else if (const qsizetype tab = line.indexOf(u'\t'); section && tab > 0) {
            qsizetype blanks = 0;
            while (blanks < line.size() && line.at(blanks) == u' ')
                ++blanks;
            section->append({line.mid(blanks, tab - blanks).trimmed(), line.mid(tab + 1).trimmed(),
                             int(blanks / 2)});
        }
    }
    std::stable_sort(catalog.Index.begin(), catalog.Index.end(),
                     [](const HelpTopic& a, const HelpTopic& b) {
                         return a.Caption.compare(b.Caption, Qt::CaseInsensitive) < 0;
                     });
    return in.error() == QFile::NoError;
}

} // namespace orvane
