#include "core/app/HelpLocation.h"

#include <system_error>

namespace halcyx {

namespace {

constexpr const char* kHelpIndexPage = "index.html";

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string helpAnchor(int context) {
    if (context == help::kIndex)
        return {};
    return "context-" + std::to_string(context);
}

std::filesystem::path resolveHelpFile(const std::string& helpPath,
                                      const std::vector<std::filesystem::path>& shippedPages) {
    if (!helpPath.empty()) {
        const std::filesystem::path named(helpPath);
        if (isFile(named))
            return named;
        if (isFile(named / kHelpIndexPage))
            return named / kHelpIndexPage;
    }
    for (const std::filesystem::path& page : shippedPages)
        if (isFile(page))
            return page;
    return {};
}

} // namespace halcyx
