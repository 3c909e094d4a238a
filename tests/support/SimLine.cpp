#include "tests/support/SimLine.h"

#include <vector>

namespace halcyx::test {

void SimLine::write(std::string_view text, std::uint32_t charDelayMs) {
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        device_.write(std::span(&byte, 1));
        clock_.sleepMs(charDelayMs);
    }
}

std::string SimLine::read(std::size_t max) {
    std::vector<std::uint8_t> buf(max);
    const long n = device_.read(buf);
    return n <= 0 ? std::string() : std::string(buf.begin(), buf.begin() + n);
}

std::string SimLine::ask(std::string_view command, std::size_t max, std::uint32_t waitMs) {
    purge();
    write(std::string(command) + "\r");
    sleep(waitMs);
    return read(max);
}

} // namespace halcyx::test
