#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/PathStyle.h"

// What a second start of Plotvane sends to the running one: the paths it was
// given, whole and in order. On the wire:
//   "PLOTVANE-OPEN/1 " count "\n", then per path: byte length ":" path "\n"
// Paths are absolute, since the receiver cannot know the sender's working
// folder, and UTF-8 on Windows (on POSIX a name's bytes are taken as they are);
// an empty list only asks the window to come to the front.
std::string handOverMessage(const std::vector<std::string>& paths);

// Reads one hand-over message as its bytes arrive. Anything that is not a
// well-formed message (another header, bad counts or lengths, a path that is
// empty, relative, not UTF-8 on Windows or holds a NUL, bytes after the end, more than
// the size limit) is malformed, and the whole message counts for nothing.
class HandOverReader final {
public:
    enum class State { Incomplete, Complete, Malformed };
    static constexpr std::size_t SizeLimit = 4 * 1024 * 1024;

    explicit HandOverReader(PathStyle style);

    State feed(const char* bytes, std::size_t size);
    State state() const { return m_state; }
    // The paths, in order, once the state is Complete.
    const std::vector<std::string>& paths() const { return m_paths; }

private:
    State parse();

    static constexpr std::size_t NotRead = static_cast<std::size_t>(-1);

    PathStyle m_style;
    std::string m_buffer;
    std::size_t m_count = NotRead;  // the paths the header announced
    std::size_t m_read = 0;         // bytes of the buffer read into paths
    std::vector<std::string> m_reading;
    std::vector<std::string> m_paths;
    State m_state = State::Incomplete;
};

// Whether a path given to Plotvane is one it can take as handed over.
bool isHandOverPath(const std::string& path, PathStyle style);
