#pragma once
// Files opened from outside the program (its command line, a later start, the file manager)
// join the playing songs as Actions > "Add to playing songs" does, and start playing when
// nothing plays; what is playing goes on. Files that arrive before the start-up has finished
// wait for its end. Files that give no songs are named in one warning. A hand-over without files
// only brings the window forward.
//
// GUI thread only.

#include <QObject>
#include <QStringList>

namespace orvane {

class Program;
class Prompts;

class OpenedFiles : public QObject {
    Q_OBJECT
public:
    // program and prompts must outlive this object.
    OpenedFiles(Program& program, Prompts& prompts, QObject* parent = nullptr);

    void Open(const QStringList& paths);

private:
    void openNow(const QStringList& paths);

    Program& program_;
    Prompts& prompts_;
    QStringList waiting_; // arrived during the start-up
};

} // namespace orvane
