#pragma once

#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace halcyx {

// Opens the help in the desktop's browser, at the section of a help context. It holds the
// program-wide help path; when that names no help page, the help shipped with the program
// is shown.
class HelpViewer {
public:
    using Opener = std::function<bool(const QUrl&)>;

    // The default opener hands the page to the desktop (QDesktopServices).
    explicit HelpViewer(std::vector<std::filesystem::path> shippedPages = shippedHelpPages(),
                        Opener opener = {});

    // The help path, at most 254 characters; longer texts are cut.
    const std::string& path() const { return path_; }
    void setPath(std::string path);

    // The page and section of a help context; empty when there is no help page at all.
    QUrl urlFor(int context) const;
    // False when there is no help page or the desktop could not show it.
    bool open(int context) const;

    // Where the shipped help may be: installed beside the program, in the installation
    // prefix, and in the source tree of a build that was never installed.
    static std::vector<std::filesystem::path> shippedHelpPages();

private:
    std::vector<std::filesystem::path> shippedPages_;
    Opener opener_;
    std::string path_;
};

} // namespace halcyx
