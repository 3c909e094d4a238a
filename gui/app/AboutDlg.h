#pragma once

#include <QDialog>

namespace halcyx {

// "About": the program's name and version and the maker's letterhead.
class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
};

} // namespace halcyx
