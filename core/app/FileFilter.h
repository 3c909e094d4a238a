#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// One choice of a file dialog's type list: what the operator reads and the name patterns
// it shows, e.g. {"Config Files (*.CFG)", {"*.cfg"}}.
struct FileTypeFilter {
    std::string caption;
    std::vector<std::string> patterns;

    bool operator==(const FileTypeFilter&) const = default;
};

// Splits the program's filter form, "Config Files (*.CFG)|*.cfg|All Files (*.*)|*.*|",
// into its choices. The final '|' may be missing; a caption without a pattern is dropped.
// Patterns separated by ';' become separate patterns, and "*.*" (every file on the systems
// these filters were written for) becomes "*".
std::vector<FileTypeFilter> parseFileFilter(std::string_view filter);

// The path with "." and the default extension appended when its file name has no
// extension; unchanged when it has one or when there is no default extension.
std::string withDefaultExtension(const std::string& path, std::string_view defaultExtension);

} // namespace halcyx
