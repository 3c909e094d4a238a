#include "gui/terminal/JEdit.h"

#include "core/terminal/TerminalText.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>

namespace halcyx {

namespace {
constexpr std::uint8_t kCarriageReturn = '\r';
} // namespace

JEdit::JEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void JEdit::insertAtCaret(const QString& text) {
    insertPlainText(text);
    ensureCursorVisible();
}

void JEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (sender_)
            sender_(kCarriageReturn);
        lineBreak();
        return;
    }
    const QString text = event->text();
    QPlainTextEdit::keyPressEvent(event);
    // Escape closes the dialog; it is no character for the instrument.
    if (event->key() == Qt::Key_Escape || text.size() != 1 || !sender_)
        return;
    const char16_t code = text.front().unicode();
    if (isSentWhenTyped(code))
        sender_(static_cast<std::uint8_t>(code));
}

void JEdit::undoEdit() {
    undo();
    lineBreak();
}

void JEdit::cutEdit() {
    cut();
    lineBreak();
}

void JEdit::copyEdit() {
    copy();
}

void JEdit::pasteEdit() {
    paste();
    lineBreak();
}

void JEdit::deleteEdit() {
    textCursor().removeSelectedText();
    lineBreak();
}

void JEdit::clearEdit() {
    clear();
    lineBreak();
}

void JEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("&Undo"), this, &JEdit::undoEdit);
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &JEdit::cutEdit);
    menu.addAction(tr("&Copy"), this, &JEdit::copyEdit);
    menu.addAction(tr("&Paste"), this, &JEdit::pasteEdit);
    menu.addAction(tr("&Delete"), this, &JEdit::deleteEdit);
    menu.addSeparator();
    menu.addAction(tr("C&lear"), this, &JEdit::clearEdit);
    menu.addAction(tr("&Save As..."), this, &JEdit::saveRequested);
    menu.exec(event->globalPos());
}

} // namespace halcyx
