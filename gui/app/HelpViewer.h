#pragma once

#include <QPointer>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace halcyx {

class HelpWnd;

// Opens the help at the section of a help context, in a help window of the program's own,
// so that help never depends on a desktop browser. It holds the program-wide help path;
// when that names no help page, the help shipped with the program is shown.
class HelpViewer {
public:
    using Opener = std::function<bool(const QUrl&)>;

    // The default opener shows the page in the program's help window (window()).
    explicit HelpViewer(std::vector<std::filesystem::path> shippedPages = shippedHelpPages(),
                        Opener opener = {});
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // The help path, at most 254 characters; longer texts are cut.
    const std::string& path() const { return path_; }
    void setPath(std::string path);

    // The page and section of a help context; empty when there is no help page at all.
    QUrl urlFor(int context) const;
    // False when there is no help page or it could not be shown.
    bool open(int context) const;
    // The help window once the default opener has shown a page; nullptr before.
    HelpWnd* window() const;

    // Where the shipped help may be: installed beside the program, in the installation
    // prefix, and in the source tree of a build that was never installed.
    static std::vector<std::filesystem::path> shippedHelpPages();

private:
    std::vector<std::filesystem::path> shippedPages_;
    Opener opener_;
    std::string path_;
    // Made on the first request; a window, so no parent owns it.
    mutable QPointer<HelpWnd> window_;
};

} // namespace halcyx
