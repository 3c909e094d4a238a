#pragma once

#include "core/acquisition/CastFiles.h"

#include <QDialog>
#include <vector>

class QLineEdit;
class QLabel;

namespace halcyx {

class Operator;

// "Cast Information": the cast information record, one row per field, the operator's
// fields editable (each to its buffer size less one character), the program's shown
// read-only. The record is shown on opening and taken back on OK; the caller writes the
// header file whichever button closed the dialog.
class HeaderDlg : public QDialog {
    Q_OBJECT
public:
    HeaderDlg(CastInfo& info, Operator& op, QWidget* parent = nullptr);

    void accept() override;

    // The editor or read-only text of the row with this label ("Vessel:"); nullptr when
    // there is none of that kind.
    QLineEdit* editFor(const QString& label) const;
    QLabel* textFor(const QString& label) const;

private:
    struct Row;
    static const std::vector<Row>& rows();
    struct Field {
        const Row* row;
        QLineEdit* edit = nullptr; // editable rows
        QLabel* text = nullptr;    // the others
    };

    CastInfo& info_;
    std::vector<Field> fields_;
};

} // namespace halcyx
