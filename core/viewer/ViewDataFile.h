#pragma once

#include "core/viewer/DataFileLoader.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace halcyx {

class Operator;

// A data file read for the viewer: its full path and its lines.
struct ViewedFile {
    std::string path;
    DataLines lines;
};

// How much of the file is read between two looks at the window [bytes].
inline constexpr std::size_t kViewSliceBytes = std::size_t{1} << 20;

// "View Data File" up to the list: the file question ("Data Files (*.DAT)"), then the file
// read with the wait cursor and the progress box counting the lines. betweenSlices runs
// after every slice, so a window can keep painting through a huge file. Nullopt when the
// operator cancelled or the file could not be read; the latter is said in a message.
std::optional<ViewedFile> loadFileForViewing(Operator& op,
                                             const std::function<void()>& betweenSlices);

} // namespace halcyx
