#include "gui/app/HelpViewer.h"

#include "core/app/HelpLocation.h"
#include "core/settings/Catalogue.h"
#include "gui/app/HelpWnd.h"

#include <QCoreApplication>

namespace halcyx {

namespace {

// The installed help relative to the program's folder, "bin".
constexpr const char* kHelpBesideProgram = "../share/halcyx/help/index.html";

} // namespace

HelpViewer::HelpViewer(std::vector<std::filesystem::path> shippedPages, Opener opener)
    : shippedPages_(std::move(shippedPages)), opener_(std::move(opener)), path_(kHelpFile.key.def) {
    if (!opener_) {
        opener_ = [this](const QUrl& url) {
            if (!window_)
                window_ = new HelpWnd;
            window_->showPage(url);
            return true;
        };
    }
}

HelpViewer::~HelpViewer() {
    delete window_.data();
}

HelpWnd* HelpViewer::window() const {
    return window_;
}

void HelpViewer::setPath(std::string path) {
    if (path.size() > kHelpFile.key.maxChars)
        path.resize(kHelpFile.key.maxChars);
    path_ = std::move(path);
}

QUrl HelpViewer::urlFor(int context) const {
    const std::filesystem::path page = resolveHelpFile(path_, shippedPages_);
    if (page.empty())
        return {};
    QUrl url =
        QUrl::fromLocalFile(QString::fromStdString(std::filesystem::absolute(page).string()));
    const std::string anchor = helpAnchor(context);
    if (!anchor.empty())
        url.setFragment(QString::fromStdString(anchor));
    return url;
}

bool HelpViewer::open(int context) const {
    const QUrl url = urlFor(context);
    return !url.isEmpty() && opener_(url);
}

std::vector<std::filesystem::path> HelpViewer::shippedHelpPages() {
    std::vector<std::filesystem::path> pages;
    if (QCoreApplication::instance()) {
        const std::filesystem::path programDir =
            QCoreApplication::applicationDirPath().toStdString();
        pages.push_back((programDir / kHelpBesideProgram).lexically_normal());
    }
    pages.emplace_back(HALCYX_INSTALLED_HELP);
    pages.emplace_back(HALCYX_SOURCE_HELP);
    return pages;
}

} // namespace halcyx
