#pragma once

#include "core/viewer/DataFileLoader.h"

#include <QDialog>

class QListView;

namespace halcyx {

class DataLinesModel;
class Operator;

// "View Data Filename: <path>": a file's lines in a read-only list with multiple selection
// and both scroll bars; "Close" ends it, and nothing is written back.
class ViewDataDlg : public QDialog {
    Q_OBJECT
public:
    // The list scrolls sideways over at least this width [px].
    static constexpr int kMinScrollWidth = 800;

    ViewDataDlg(const QString& path, DataLines lines, Operator& op, QWidget* parent = nullptr);

    QListView& list() { return *list_; }
    const DataLinesModel& model() const { return *model_; }

private:
    QListView* list_;
    DataLinesModel* model_;
};

// "View Data File": the file question, the file read with its progress box while the
// windows keep painting, then the viewer.
void viewDataFile(Operator& op, QWidget* parent);

} // namespace halcyx
