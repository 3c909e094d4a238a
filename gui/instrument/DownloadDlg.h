#pragma once

#include "core/memory/RetrieveData.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace halcyx {

class Operator;

// "Retrieve Memory": the output file, the scans to read and the DC coefficients of a
// logged memory, and the download itself. It closes with "Download" (Accepted) only after
// a completed download; every failure leaves it open to try again or cancel.
class DownloadDlg : public QDialog {
    Q_OBJECT
public:
    // The most characters of the file name [characters].
    static constexpr int kFileNameChars = 99;

    DownloadDlg(MemoryDownload& download, Operator& op, QWidget* parent = nullptr);

    QLineEdit* fileNameEdit() const { return fileName_; }
    QLabel* scansLabel() const { return scans_; }
    QPushButton* browseButton() const { return browse_; }
    QPushButton* changeButton() const { return change_; }
    QPushButton* dcChannelsButton() const { return dcChannels_; }
    QPushButton* downloadButton() const { return download_; }

private:
    void browse();
    void changeScans();
    void startDownload();

    MemoryDownload& downloader_;
    Operator& op_;
    QLineEdit* fileName_;
    QLabel* scans_;
    QPushButton* browse_;
    QPushButton* change_;
    QPushButton* dcChannels_;
    QPushButton* download_;
};

// The retrieval's dialogs over the configuration window.
class QtDownloadDialogs : public DownloadDialogRunner {
public:
    QtDownloadDialogs(QWidget* parent, Operator& op) : parent_(parent), op_(op) {}
    bool runDownload(MemoryDownload& download) override;
    void editDeploymentInfo(DeploymentInfo& info) override;
    // "Cast Information", as at the end of a cast; the header follows however it closes.
    void editCastInfo(CastInfo& info) override;

private:
    QWidget* parent_;
    Operator& op_;
};

} // namespace halcyx
