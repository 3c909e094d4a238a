#pragma once

#include <QDialog>
#include <array>

class QRadioButton;

namespace halcyx {

// "Print Pressure Graph Setup": which of the four pressure graphs to print (or, captioned
// "Select Pressure Graph to Preview", to preview).
class PrintPGraphDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kGraphs = 4;

    explicit PrintPGraphDlg(const QString& caption, QWidget* parent = nullptr);
    // The chosen graph, 0 to 3.
    int chosen() const;
    void choose(int graph);

private:
    std::array<QRadioButton*, kGraphs> buttons_{};
};

} // namespace halcyx
