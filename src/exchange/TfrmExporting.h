#pragma once
// The small "Exporting" box shown while an export writes its file: "Exporting MP3
// information..." beside a moving sheet. It is painted once before the work starts; the export
// runs on the GUI thread and ends within a second even for a large collection. While the box
// lives the cursor is the busy cursor. GUI thread only.

#include <QDialog>

namespace orvane {

class TfrmExporting : public QDialog {
    Q_OBJECT
public:
    // Shows itself over parent at once and paints before returning.
    explicit TfrmExporting(QWidget* parent);
    ~TfrmExporting() override;
};

} // namespace orvane
