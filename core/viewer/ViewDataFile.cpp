#include "core/viewer/ViewDataFile.h"

#include "core/prompt/Operator.h"

#include <cstdio>
#include <cstring>

namespace halcyx {

namespace {

constexpr const char* kFilter = "Data Files (*.DAT)|*.dat|All Files (*.*)|*.*|";
constexpr const char* kDefaultExtension = "DAT";
constexpr const char* kOpeningLine = "Opening File, Please Wait...";
constexpr const char* kCountFormat = "Lines: %d";
// Room for the count format with any int.
constexpr std::size_t kCountTextBytes = sizeof "Lines: -2147483648";

std::string countText(std::size_t lines) {
    char text[kCountTextBytes];
    std::snprintf(text, sizeof text, kCountFormat, static_cast<int>(lines));
    return text;
}

} // namespace

std::optional<ViewedFile> loadFileForViewing(Operator& op,
                                             const std::function<void()>& betweenSlices) {
    FileRequest request;
    request.filter = kFilter;
    request.defaultExtension = kDefaultExtension;
    request.mustExist = true;
    const auto path = op.chooseFile(request);
    if (!path)
        return std::nullopt;

    DataFileLoader loader;
    {
        WaitCursor wait(op);
        ProgressBox box(op);
        box.line1(kOpeningLine);
        if (loader.open(*path, [&box](std::size_t index) { box.line2(countText(index)); })) {
            while (!loader.readSlice(kViewSliceBytes))
                if (betweenSlices)
                    betweenSlices();
        }
    }
    if (loader.error() != 0) {
        op.message("Cannot read " + *path + ": " + std::strerror(loader.error()), "View Data File",
                   Icon::Stop);
        return std::nullopt;
    }
    return ViewedFile{*path, loader.take()};
}

} // namespace halcyx
