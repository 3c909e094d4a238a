#pragma once

#include <QPlainTextEdit>

namespace halcyx {

class ListingText;

// The listing: the record lines of the cast as received, in a read-only text view that
// follows the newest line. It mirrors the cast's ListingText, which decides when it clears.
class ListingWnd : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ListingWnd(QWidget* parent = nullptr);

    // Brings the view up to the listing's text: the new lines are appended, or the whole
    // text is shown afresh once the listing was cleared.
    void follow(const ListingText& listing);

private:
    std::size_t shown_ = 0; // characters of the listing already in the view
};

} // namespace halcyx
