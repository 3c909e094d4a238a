#pragma once

#include <QPlainTextEdit>
#include <cstdint>
#include <functional>

namespace halcyx {

// The terminal's text area. A typed character is first handled as by any editor (it shows
// in the text), then one of codes 1 to 126 goes to the port at once; Enter sends a carriage
// return and starts a new line. Received text is inserted at the caret. Its context menu
// offers the edit commands, each followed by a line break so the next output starts on a
// line of its own (Copy changes nothing and gets none), and saving the text.
class JEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    using Sender = std::function<void(std::uint8_t byte)>;

    explicit JEdit(QWidget* parent = nullptr);

    void setSender(Sender sender) { sender_ = std::move(sender); }
    // Inserts text at the caret; '\n' breaks the line.
    void insertAtCaret(const QString& text);

    // The edit commands of the context menu.
    void undoEdit();
    void cutEdit();
    void copyEdit();
    void pasteEdit();
    void deleteEdit();
    void clearEdit();

signals:
    // "Save As..." was chosen.
    void saveRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void lineBreak() { insertAtCaret(QStringLiteral("\n")); }

    Sender sender_;
};

} // namespace halcyx
