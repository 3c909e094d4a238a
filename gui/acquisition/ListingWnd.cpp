#include "gui/acquisition/ListingWnd.h"

#include "core/acquisition/ListingText.h"

#include <QScrollBar>

namespace halcyx {

ListingWnd::ListingWnd(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFont(QStringLiteral("Liberation Mono")));
}

void ListingWnd::follow(const ListingText& listing) {
    const std::string& text = listing.text();
    if (text.size() == shown_)
        return;
    // The view keeps its own line ends; the listing's CR LF pairs become one break each.
    const auto lines = [](std::string_view part) {
        QString shown = QString::fromLatin1(part.data(), static_cast<qsizetype>(part.size()));
        shown.remove(QLatin1Char('\r'));
        if (shown.endsWith(QLatin1Char('\n')))
            shown.chop(1);
        return shown;
    };
    if (text.size() < shown_ || shown_ == 0)
        setPlainText(lines(text));
    else
        appendPlainText(lines(std::string_view(text).substr(shown_)));
    shown_ = text.size();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

} // namespace halcyx
