#include "core/graphs/PrintPage.h"

#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {

// A point and a rectangle given as fractions of the page.
struct Spot {
    double x, y;
};
struct Area {
    double left, top, right, bottom;
};

// The graph alone on the page.
constexpr Area kCastGraphAlone{0.1, 0.1, 0.9, 0.9};
constexpr Area kModuleGraphAlone{0.2, 0.1, 0.85, 0.9};

// The blocks of the pages with information.
constexpr Spot kLetterheadRight{0.6, 0.1}; // beside the information
constexpr Spot kLetterheadLow{0.1, 0.7};   // under the landscape information column
constexpr Spot kCastHeading{0.2, 0.1};
constexpr Spot kLandscapeCastHeading{0.24, 0.1};
constexpr Spot kModuleHeading{0.18, 0.1};
constexpr double kCastLabelRight = 0.28, kCastValueLeft = 0.3;
constexpr double kLandscapeLabelRight = 0.23, kLandscapeValueLeft = 0.25;
constexpr double kModuleLabelRight = 0.2, kModuleValueLeft = 0.22;
constexpr double kGraphLeft = 0.1, kGraphRight = 0.9, kGraphBottom = 0.9;
constexpr double kLandscapeGraphLeft = 0.35, kLandscapeGraphTop = 0.1;
constexpr double kPressureLeft = 0.15, kPressureRight = 0.85, kPressureHeight = 0.25;
constexpr double kModuleLeft = 0.2, kModuleRight = 0.85;
constexpr double kTitleX = 0.15;
constexpr double kColumnGap = 0.01; // values end this far before the next block

// Line heights between the blocks.
constexpr int kCastGapRows = 4;       // last information row to the graph
constexpr int kTitleGapRows = 2;      // last information row to the title
constexpr int kPressureGapTitles = 2; // title to the pressure graph
constexpr int kModuleGapTitles = 3;   // title to the module graph

class Page {
public:
    explicit Page(PixelRect page) : page_(page) {}

    int x(double fraction) const { return page_.left + scaled(fraction, page_.width()); }
    int y(double fraction) const { return page_.top + scaled(fraction, page_.height()); }
    PixelPoint at(Spot spot) const { return {x(spot.x), y(spot.y)}; }
    PixelRect area(Area a) const { return {x(a.left), y(a.top), x(a.right), y(a.bottom)}; }
    // From `top` down to `bottom`, never upside down when the text above took the room.
    PixelRect below(int top, double left, double right, int bottom) const {
        return {x(left), top, x(right), std::max(top, bottom)};
    }
    // An information column whose values end a little before nextBlock.
    InfoColumn column(Spot heading, double labelRight, double valueLeft, double nextBlock) const {
        return {at(heading), x(labelRight), x(valueLeft), x(nextBlock - kColumnGap)};
    }

private:
    static int scaled(double fraction, int length) {
        return static_cast<int>(std::lround(fraction * length));
    }
    PixelRect page_;
};

// The running position under the last of `rows` information rows.
int belowRows(const InfoColumn& info, int rows, int lineHeight) {
    return info.rowTop(rows, lineHeight);
}

// The letterhead beside the information column and the title two rows under it; the
// caller puts the graph under the title.
GraphPage titledPage(const Page& page, Spot heading, double labelRight, double valueLeft, int rows,
                     PageLines lines) {
    GraphPage result;
    result.letterhead = page.at(kLetterheadRight);
    result.info = page.column(heading, labelRight, valueLeft, kLetterheadRight.x);
    result.title = PixelPoint{page.x(kTitleX),
                              belowRows(*result.info, rows, lines.row) + kTitleGapRows * lines.row};
    return result;
}

} // namespace

GraphPage CastGraphPage(PixelRect frame, bool castInfo, int rows, PageLines lines) {
    const Page page(frame);
    GraphPage result;
    if (!castInfo) {
        result.graph = page.area(kCastGraphAlone);
        return result;
    }
    if (frame.width() > frame.height()) {
        result.letterhead = page.at(kLetterheadLow);
        result.info = page.column(kLandscapeCastHeading, kLandscapeLabelRight, kLandscapeValueLeft,
                                  kLandscapeGraphLeft);
        result.graph =
            page.area({kLandscapeGraphLeft, kLandscapeGraphTop, kGraphRight, kGraphBottom});
        return result;
    }
    result.letterhead = page.at(kLetterheadRight);
    result.info = page.column(kCastHeading, kCastLabelRight, kCastValueLeft, kLetterheadRight.x);
    const int top = belowRows(*result.info, rows, lines.row) + kCastGapRows * lines.row;
    result.graph = page.below(top, kGraphLeft, kGraphRight, page.y(kGraphBottom));
    return result;
}

GraphPage PressureGraphPage(PixelRect frame, int rows, PageLines lines) {
    const Page page(frame);
    GraphPage result = titledPage(page, kCastHeading, kCastLabelRight, kCastValueLeft, rows, lines);
    const int top = result.title->y + kPressureGapTitles * lines.title;
    result.graph =
        page.below(top, kPressureLeft, kPressureRight,
                   top + static_cast<int>(std::lround(kPressureHeight * frame.height())));
    return result;
}

GraphPage ModuleGraphPage(PixelRect frame, bool castInfo, int rows, PageLines lines) {
    const Page page(frame);
    if (!castInfo)
        return {std::nullopt, std::nullopt, std::nullopt, page.area(kModuleGraphAlone)};
    GraphPage result =
        titledPage(page, kModuleHeading, kModuleLabelRight, kModuleValueLeft, rows, lines);
    const int top = result.title->y + kModuleGapTitles * lines.title;
    result.graph = page.below(top, kModuleLeft, kModuleRight, page.y(kGraphBottom));
    return result;
}

} // namespace halcyx
