#pragma once

#include "core/prompt/Operator.h"

#include <QPointer>

class QWidget;

namespace halcyx {

class HelpViewer;
class MessageDlg;

// The operator at the screen: message boxes, questions, the input box, file dialogs, the
// progress box, the wait cursor, the beep and the help.
class QtOperator : public Operator {
public:
    explicit QtOperator(const HelpViewer& help);
    ~QtOperator() override;

    // The window dialogs are shown over; none until the main frame exists.
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text, const std::string& caption, Icon icon) override;
    bool askYesNo(const std::string& text, const std::string& caption, Icon icon) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial, std::size_t maxLength) override;
    std::optional<std::string> chooseFile(const FileRequest& request) override;
    void progressShow() override;
    void progressLine1(const std::string& text) override;
    void progressLine2(const std::string& text) override;
    void progressClose() override;
    void setWaitCursor(bool on) override;
    void beep() override;
    void showHelp(int context) override;

private:
    const HelpViewer& help_;
    QPointer<QWidget> parent_;
    QPointer<MessageDlg> progress_;
    int waitCursors_ = 0;
};

} // namespace halcyx
