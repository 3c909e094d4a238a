#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace halcyx {

// Help context numbers: each dialog's Help button opens the help at its own section.
namespace help {
inline constexpr int kIndex = 0;
inline constexpr int kConfigureInstrument = 150;
inline constexpr int kRetrieveData = 200;
inline constexpr int kDcChannelSetup = 250;
inline constexpr int kGraphSetup = 450;
inline constexpr int kProgramSettings = 600;
inline constexpr int kCastInformation = 700;
inline constexpr int kStripGraphSetup = 1500;
} // namespace help

// The name of the help page's section for a context, e.g. "context-600"; empty for the
// index.
std::string helpAnchor(int context);

// The help page to open. The help path may name a help page or a folder holding
// "index.html"; when it names neither (the default names a folder of another system), the
// first of the shipped pages that exists is used. Empty when there is no help at all.
std::filesystem::path resolveHelpFile(const std::string& helpPath,
                                      const std::vector<std::filesystem::path>& shippedPages);

} // namespace halcyx
