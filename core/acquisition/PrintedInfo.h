#pragma once

#include "core/acquisition/CastFiles.h"

#include <string>
#include <vector>

namespace halcyx {

// One row of the information a graph page prints: its label and its value.
struct InfoRow {
    std::string label;
    std::string value;
};

// The thirteen rows of "Cast Information" on the cast and pressure graph pages.
std::vector<InfoRow> castInfoRows(const CastInfo& info);
// The five rows of "Logging Information" on the module graph page.
std::vector<InfoRow> loggingInfoRows(const CastInfo& info);

} // namespace halcyx
